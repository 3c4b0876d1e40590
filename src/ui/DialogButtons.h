// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QDialogButtonBox;

// The "OK" and "Annuler" buttons of one of the program's settings dialogs ("cmdValidate", the
// default, and "cmdCancel"), accepting and rejecting `dialog`; the caller places the box and
// may add buttons of its own.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

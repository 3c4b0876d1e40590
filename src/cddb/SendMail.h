// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// A "mailto:" address for the system's mail program: the subject, body, copy and blind copy
// that are not empty, in that order, each properly encoded.
QUrl SendMail(const QString& address, const QString& subject, const QString& body,
              const QString& copy = QString(), const QString& blindCopy = QString());

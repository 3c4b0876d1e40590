// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Names one selectable element of a window's document: what the selection and the mouse
// point at. `area` is the face of a cover (or 0 on a CD label).
struct ElementRef {
    enum class Kind { None, Text, Spine, Bar, Logo };

    Kind kind = Kind::None;
    int area = -1;  // the face of texts and logos
    int index = -1; // text index, spine 0/1, or bar 0/1 (the sheet it stands on)

    static ElementRef text(int area, int index) { return {Kind::Text, area, index}; }
    static ElementRef spine(int index) { return {Kind::Spine, 2, index}; }
    static ElementRef bar(int sheet) { return {Kind::Bar, -1, sheet}; }
    static ElementRef logo(int area) { return {Kind::Logo, area, 0}; }

    bool isEmpty() const { return kind == Kind::None; }
    bool isText() const { return kind == Kind::Text; }
    bool isSpine() const { return kind == Kind::Spine; }
    bool isBar() const { return kind == Kind::Bar; }
    bool operator==(const ElementRef&) const = default;
};

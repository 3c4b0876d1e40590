#pragma once

// Names one selectable element of a sheet: what the selection and the mouse point at.
struct ElementRef {
    enum class Kind { None, Text, Spine, Bar, Logo };

    Kind kind = Kind::None;
    int face = -1;  // face index for texts and logos
    int index = -1; // text index, spine 0/1, or bar 0/1 (the sheet it stands on)

    static ElementRef text(int face, int index) { return {Kind::Text, face, index}; }
    static ElementRef spine(int index) { return {Kind::Spine, 2, index}; }
    static ElementRef bar(int index) { return {Kind::Bar, -1, index}; }
    static ElementRef logo(int face) { return {Kind::Logo, face, 0}; }

    bool isEmpty() const { return kind == Kind::None; }
    bool isText() const { return kind == Kind::Text; }
    bool isSpine() const { return kind == Kind::Spine; }
    bool isBar() const { return kind == Kind::Bar; }
    bool operator==(const ElementRef&) const = default;
};

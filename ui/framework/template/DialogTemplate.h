#pragma once

#include <span>

// A dialog described as data: its controls in template order, which is also the tab order,
// with positions and sizes in dialog units (a quarter of the font's average character width
// across, an eighth of its height down). Caption and texts are English source texts, shown
// translated in the template's translation context.
enum class ControlKind {
    GroupBox,
    RadioButton,
    Label,
    Edit,
    HorizontalLine,
    PushButton,
    Picture,
    ComboBox, // a drop-down list the user picks from, filled by the dialog
};

enum ControlStyle : unsigned {
    kNoStyle = 0,
    kGroupStart = 1 << 0, // the first radio button of a group
    kGroupEnd = 1 << 1,   // the last radio button of a group
    kAlignRight = 1 << 2, // text alignment of a label or edit box
    kAlignCenter = 1 << 3,
    kDefaultButton = 1 << 4,
};

inline constexpr int kNoId = -1;

// The standard commands: the push buttons with these ids end the dialog.
enum StandardCommand : int { IDOK = 1, IDCANCEL = 2 };

struct ControlItem {
    ControlKind kind;
    int id;           // kNoId for controls nothing refers to
    const char* text; // '&' marks the access key; for a picture, the resource path
    int x;
    int y;
    int width;
    int height;
    unsigned style;
};

struct DialogTemplate {
    int id;
    const char* caption;
    int width;
    int height;
    std::span<const ControlItem> controls;
    const char* translationContext;
};

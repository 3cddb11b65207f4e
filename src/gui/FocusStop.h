// A place the keyboard focus can rest on a menu screen: one widget, with its
// rectangle in the 800 x 600 picture, and what the keys do to it, which is
// what the mouse does to the same widget.
#pragma once

#include "media/TextLayout.h"

class CCheckBox;
class CPictureSelector;
class CSelectionList;
class CSlider;
class CSoundSystem;
class CTextArea;
class CTextButton;

namespace gui {

// Exactly one of the widget pointers is set.
struct SFocusStop {
    media::STextBox box;
    CTextButton* button = nullptr;
    CCheckBox* checkBox = nullptr;
    CSelectionList* list = nullptr;
    CSlider* slider = nullptr;
    CPictureSelector* selector = nullptr;
    CTextArea* textArea = nullptr;
};

enum class EFocusKey { Press, Up, Down, Left, Right };

// Enter or Space presses a button or ticks a box; Up and Down move a list's
// selection or scroll a text; Left and Right step a slider or turn a picture
// selector. Keys a widget has no use for do nothing.
void ActOnFocus(const SFocusStop& stop, EFocusKey key, CSoundSystem* sounds);

} // namespace gui

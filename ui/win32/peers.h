// What the control peer families share, included only by the peer files
// (peers*.cpp): the factory in peers.cpp creates each family's peer
// through its maker, defined beside the family's class.
#pragma once

#include <memory>

#include "ui/win32/internal.h"

namespace ui::win32 {

// The model's rectangle as a Win32 one.
RECT ToRect(const ui::Rect& r);
// The colour a control's text is drawn in: grey when disabled, else its own
// font colour or the system colour given.
COLORREF TextColor(const Control& control, int system_color);

// Labels, pictures and panels: drawn by us (peers_text.cpp).
std::unique_ptr<ControlPeerBase> MakeLabelPeer(WindowPeer& window, Control& control);
std::unique_ptr<ControlPeerBase> MakePicturePeer(WindowPeer& window, Control& control);
std::unique_ptr<ControlPeerBase> MakePanelPeer(WindowPeer& window, Control& control);
// Push buttons, check boxes, radio buttons, group boxes (peers_buttons.cpp).
std::unique_ptr<ControlPeerBase> MakeButtonPeer(WindowPeer& window, Control& control);
// List boxes, combo boxes, tab strips: lines and a selection (peers_lists.cpp).
std::unique_ptr<ControlPeerBase> MakeListBoxPeer(WindowPeer& window, Control& control);
std::unique_ptr<ControlPeerBase> MakeComboPeer(WindowPeer& window, Control& control);
std::unique_ptr<ControlPeerBase> MakeTabPeer(WindowPeer& window, Control& control);
// Edits, memos and scroll bars: what the user types or sets (peers_inputs.cpp).
std::unique_ptr<ControlPeerBase> MakeEditPeer(WindowPeer& window, Control& control);
std::unique_ptr<ControlPeerBase> MakeScrollBarPeer(WindowPeer& window, Control& control);

}  // namespace ui::win32

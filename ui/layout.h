// Laying out texts whose height is known only with the machine's font: a
// window stacks its explanations at the heights their lines take and moves
// what is laid out below them down by what they need beyond the design.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace ui {

// The parts of one text, stored in pieces, as one paragraph: a blank goes
// between two parts where the first does not end with one.
std::string Paragraph(std::span<const std::string_view> parts);

// Gives each label the height its caption needs (Label::TextHeight), one
// right below the other from the first label's top. When the last text then
// reaches closer than `gap` pixels to the topmost control of `below`, every
// control of `below` moves down by the difference, and the window's client
// area grows where they would not fit in it (with `gap` below the lowest).
// Returns how far they moved (0: as designed).
int StackTexts(std::initializer_list<Label*> texts, std::initializer_list<Control*> below, int gap);

}  // namespace ui

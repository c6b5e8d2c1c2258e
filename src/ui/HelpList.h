#pragma once
// The list-and-text pattern shared by the "Dialog Controls" and "Trouble
// Shooting" help pages.
#include "framework/ComboBox.h"
#include "help/HelpTexts.h"

#include <span>
#include <string_view>

// Adds the labels of `entries` to a page's list, in table order.
void FillHelpList(const CComboBox& list, std::span<const help::HelpEntry> entries);

// The text that `find` gives for the list's chosen label; nullptr when nothing
// is chosen or nothing matches, so the shown text stays.
const char* ChosenHelpText(const CComboBox& list, const char* (*find)(std::string_view));

#include "ui/HelpList.h"

void FillHelpList(const CComboBox& list, std::span<const help::HelpEntry> entries) {
    for (const help::HelpEntry& entry : entries) list.AddString(entry.label);
}

const char* ChosenHelpText(const CComboBox& list, const char* (*find)(std::string_view)) {
    const int index = list.GetCurSel();
    return index == CB_ERR ? nullptr : find(list.GetLBText(index));
}

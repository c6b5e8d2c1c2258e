#pragma once
// CGameRegistry: where the registry records the game's install folder: the
// game installer's value (read only, afresh on every call, with query access
// only) and the folder this user chose for the program.
#include "gameconfig/InstallPath.h"

class CGameRegistry : public gameconfig::InstallRecords {
public:
    std::string ChosenFolder() const override;
    files::ErrorCode RememberChosenFolder(const std::string& folder) override;
    files::ErrorCode ReadInstallPath(std::string& stored) const override;
};

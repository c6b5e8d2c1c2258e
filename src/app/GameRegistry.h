#pragma once
// CGameRegistry: the game's install folder as the game's installer recorded it
// in the registry, read afresh on every call with query access only.
#include "gameconfig/InstallPath.h"

class CGameRegistry : public gameconfig::InstallRecords {
public:
    files::ErrorCode ReadInstallPath(std::string& stored) const override;
};

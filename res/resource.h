// Resource ids of Skirmaker, grouped by dialog.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif

// Application: icon and accelerators, and the setup dialog's system-menu entries
#define IDR_MAINFRAME               128
#define IDS_ABOUTBOX                101
#define IDS_GAMEFOLDER              102
#define IDS_NOGAMEFOLDER            103
#define IDS_COPYSETUP               104
#define IDS_PASTESETUP              105
#define IDM_ABOUTBOX                0x0010
#define IDM_GAMEFOLDER              0x0020
#define IDM_COPYSETUP               0x0030
#define IDM_PASTESETUP              0x0040
#define IDS_CHECKINSTALLATION       111
#define IDM_CHECKINSTALLATION       0x0070

// Setup dialog: the ship-name check (a ship field's menu, its commands and tips)
#define IDR_SHIPFIELD               130
#define IDM_PUTSHIPNAME             0x0050
#define IDM_PUTCATALOGUESHIP        0x0060
#define IDS_SHIPCHECK_TITLE         106
#define IDS_PUTSUGGESTION_HINT      107
#define IDS_EMPTYFIELD_HINT         108
#define IDS_PICKINCATALOGUE_HINT    109
#define IDS_CATALOGUE_HINT          110

// About box
#define IDD_ABOUTBOX                100
#define IDB_ABOUT_BANNER            129
#define IDC_VISIT                   1016
#define IDC_URL                     1017

// Setup dialog
#define IDD_SKIRMAKER_DIALOG        102
#define IDC_CLOSE_BUTTON            8
#define IDC_SHIP1                   1000
#define IDC_SHIP2                   1001
#define IDC_SHIP3                   1002
#define IDC_SHIP4                   1003
#define IDC_SHIP5                   1004
#define IDC_SHIP6                   1005
#define IDC_SETUPS                  1006
#define IDC_SHIP7                   1007
#define IDC_SHIP8                   1008
#define IDC_ABOUT                   1009
#define IDC_SAVE                    1010
#define IDC_DELETE                  1015
#define IDC_HELP_BUTTON             1018
#define IDC_PLAYER_VS_PLAYER        1021
#define IDC_PLAYER_VS_AI            1022
#define IDC_PLAYER_SELECT_SHIPS     1023
#define IDC_HOST_SELECT_SHIPS       1024
#define IDC_SHIP9                   1025
#define IDC_SHIP10                  1026
#define IDC_SHIP11                  1027
#define IDC_SHIP12                  1028
#define IDC_SHIP13                  1029
#define IDC_SHIP14                  1030
#define IDC_SETUP_TITLE             1032
#define IDC_CATALOGUE_GROUP         1033
#define IDC_CATALOGUE               1035
#define IDC_RACE                    1038
#define IDC_CLASS                   1039
#define IDC_SUBNAME                 1042
#define IDC_VIEW_MAP                1044
#define IDC_COMMENTS                1056

// Installation check
#define IDD_INSTALLATION_CHECK      140
#define IDC_CHECK_LIST              1060
#define IDC_SET_ASIDE               1061
#define IDC_OPEN_RECORD             1062

// Map window
#define IDD_MAP_POSITIONS           136
#define IDB_MAP_POSITIONS           137

// Help pages
#define IDD_PROPPAGE1               107
#define IDD_PROPPAGE2               137
#define IDD_PROPPAGE3               138
#define IDC_HELP_LIST               1046
#define IDC_HELP_DESCRIPTION        1047
#define IDC_HELP_PLAYER_VS_PLAYER   1048
#define IDC_HELP_PLAYER_VS_AI       1049
#define IDC_HELP_PLAYER_SELECT      1050
#define IDC_HELP_HOST_SELECT        1051
#define IDC_HELP_SUMMARY            1052
#define IDC_HELP_ANSWER             1054
#define IDC_HELP_TEXT_GROUP         1055

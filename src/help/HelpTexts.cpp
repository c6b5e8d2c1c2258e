#include "help/HelpTexts.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace help {
namespace {

// Joins string literals at compile time, so a text shared by several entries
// is written once and every entry is still one constant.
template <std::size_t... N>
constexpr auto Concat(const char (&... parts)[N]) {
    std::array<char, (N + ...) - sizeof...(N) + 1> text{};
    std::size_t at = 0;
    auto append = [&](const char* part, std::size_t size) {
        for (std::size_t i = 0; i + 1 < size; ++i) text[at++] = part[i];
    };
    (append(parts, N), ...);
    return text;
}

constexpr char kHostNote[] =
    "NOTE: If this feature is 'checked' by the Host, ALL Players must 'check' this feature as well "
    "and hit the SELECT BUTTON from the dialog.";

constexpr char kQuotingExamples[] =
    "i.e ''Kestrel'' <- Will work.\n"
    "i.e  Kestrel <- Will not work.";

constexpr auto kPlayerVsPlayerText = Concat(
    "Allows Human Teams to fight each other by choosing from Team1 or Team2.\n"
    "Any AI ships that are added will be allied with the Human Players on Team 2.\n"
    "\n",
    kHostNote);

constexpr auto kPlayerVsAIText = Concat(
    "All Human Teams will be Allied vs all AI.\n"
    "\n",
    kHostNote);

constexpr auto kPlayerSelectShipsText = Concat(
    "Disables the Player Team Ship edit boxes and allows each Player to select their own ship.\n"
    "\n",
    kHostNote);

constexpr auto kHostSelectShipsText = Concat(
    "Enables the Player Team Ship edit boxes for Host selection of all Human Team Ships.\n"
    "\n",
    kHostNote);

constexpr auto kShipEditsText = Concat(
    "Allows the Host to select ships that are read from both the'DefaultLoadout.txt' and "
    "'CustomLoadout.txt'.\n"
    "You must enter the correct 'SubName' for the ship in quotations.\n"
    "\n",
    kQuotingExamples);

constexpr auto kCatalogueText = Concat(
    "This feature allows for 'Quick Picking' ship objects that are on the Voidwake "
    "DefaultLoadOut.txt.\n"
    "Simply copy and paste the ship objects to the desired AI and / or Player Team edit boxes.\n"
    "\n"
    "NOTE: Make sure you add the quotations to the ships after pasting.\n"
    "\n",
    kQuotingExamples);

constexpr HelpEntry kControlList[] = {
    {"'GAME SETUP' combo box",
     "Use this control to enter the Custom Title of your Game Setup.\n"
     "\n"
     "i.e 'CONCORD PLANET ASSAULT'."},
    {"'PLAYER vs PLAYER' check box", kPlayerVsPlayerText.data()},
    {"'PLAYER vs AI' check box", kPlayerVsAIText.data()},
    {"'PLAYER SELECT SHIPS' check box", kPlayerSelectShipsText.data()},
    {"'HOST SELECT SHIPS' check box", kHostSelectShipsText.data()},
    {"'AI & PLAYER TEAM SHIP' edit boxes", kShipEditsText.data()},
    {"'STANDARD DEFAULT LOADOUT' combo box", kCatalogueText.data()},
    {"MAP BUTTON",
     "Displays the Map Positions of the ships relative to the edit box where the ship is assigned.\n"
     "\n"
     "This is an essential reference when creating complex Player vs Player skirmishes with allied "
     "AI objects such as Starbase."},
    {"SELECT BUTTON", "Saves the current 'Game Setup' for Voidwake game play."},
    {"SAVE BUTTON", "Saves the current settings to the 'SkirmakerData'.DAT file for future use."},
    {"DELETE BUTTON",
     "Deletes the current Title and Ships listed on the dialog.\n"
     "You must CLOSE the dialog and re-execute it to update the line that was deleted."},
    {"ABOUT BUTTON",
     "Displays Game Version and Author.\n"
     "Also provides a link to the Halvane Site for updates and new release info."},
    {"CLOSE BUTTON", "Closes the Skirmaker Dialog."},
    {"SKIRMAKER FILES",
     "RECORDS FILE:\n"
     "After each game a 'SkirmakerRecords.txt' file is created on the Host 'Local Disk C' drive.\n"
     "This will contain the data for all the custom ships that were used in the Mission.\n"
     "\n"
     "SKIRMAKER DATA:\n"
     "The Skirmaker Program creates a 'SkirmakerData.DAT' file when the user selects the 'SAVE "
     "BUTTON'.\n"
     "This file stores all the custom game setup configurations that the user creates and must be "
     "in he same directory as the Skirmaker.exe in order to view the data."},
    {"'COMMENTS' edit box'",
     "Allows user to add comments.\n"
     "\n"
     "Very handy for quick referencing notes about your custom game setup."},
};

constexpr HelpEntry kQuestionList[] = {
    {"Where do I install the Skirmaker files?",
     "The 'Mul_Skirmaker.scr' file goes in your Voidwake->assets->scripts folder.and the "
     "'Skirmaker.exe' can go on your Desk Top.\n"
     "\n"
     "NOTE:\n"
     "\n"
     "The Skirmaker installer will automatically place a shortcut to the Skirmaker.exe on your "
     "Desktop and Start Menu locations.\n"
     "The Mul_Skirmaker.scr will automatically be placed in your voidwake->assets/scripts folder."},
    {"Skirmaker does not show up on my Voidwake mission list.",
     "Delete the 'AllScripts' CACHE file located in your Voidwake->assets->scripts folder.\n"
     "\n"
     "Launch Voidwake, the AllScripts CACHE will be re-created updating Mul_Skirmaker.scr to its "
     "list.\n"
     "\n"
     "The Skirmaker mission will now appear on the mission list."},
    {"Game Setup check boxes are not working with other Players.",
     "All Player 'Game Setup' check box settings.\n"
     "( i.e Player vs Player, Host Select Ships )\n"
     "must match with the Host settings.\n"
     "\n"
     "It is always best for the Host communicate his or her settings to the Players."},
    {"My Custom Game Setups nolonger appear in the Skirmaker Dialog.",
     "The SkirmakerData.DAT file must be in the same directory as the Skirmaker.exe.\n"
     "Although you can place Skirmaker in any folder it is best to keep it inside the default "
     "location of your voidwake folder."},
    {"Some or All of the ships do not appear in the game.",
     "You must enter the correct 'SubName' for the ship in quotations.\n"
     "\n"
     "i.e ''Kestrel'' <- will work.\n"
     "i.e  Kestrel <- will NOT work.\n"
     "\n"
     "Ships listed on the DefaultLoadOut and CustomLoadOut files are also case and space "
     "sensitive.\n"
     "\n"
     "Here are some more examples:\n"
     "\n"
     "''KESTREL''<-will NOT work.\n"
     "''  Kestrel  ''<-will NOT work\n"
     "''kestrel''<-will NOT work.\n"
     "\n"
     "''Kestrel''<- will work."},
    {"Where do I find my DefaultLoadOut and CustomLoadOut files?",
     "The DefaultLoadOut and CustomLoadOut files are located in your Voidwake->assets->specs "
     "folder location.\n"
     "\n"
     "Only the ship listings under the 'SubName' header are used to play ships using Skirmaker.\n"
     "For the CustomLoadOut.txt it will always be the third column of listings.\n"
     "\n"
     "It is best to use a spread sheet program like MS Excel to view the listings on these files."},
    {"Dude, I am totally lost.",
     "Write to the author at skirmaker@halvane.net and describe what you tried, and you will get "
     "help by e-mail."},
    {"Can I delete the Skirmaker.DAT file and start a new one?",
     "Yes you can.\n"
     "\n"
     "To delete the Skirmaker.DAT (Data) file simply go to your\n"
     "Voidwake main directory and look for the folder titled:\n"
     "'Halvane Software'.\n"
     "Inside that folder you will see the Skirmaker.DAT file.\n"
     "\n"
     "Delete the Skirmaker.DAT file, a new one will automatically be created once you save your "
     "first 'Game Setup'."},
    {"How do I place the main Skirmaker.exe on my desk top?",
     "Go to your Voidwake main directory and look for the folder titled:\n"
     "'Halvane Software'.\n"
     "\n"
     "Inside that folder you will see the Skirmaker.exe and DATA files.\n"
     "Copy and paste them to your Desk Top and delete the 'shortcuts' from your Start Menu and "
     "Desktop if desired."},
};

// Blanks that centre each heading over the summary text.
constexpr char kPlayerVsPlayerIndent[] = "             ";
constexpr char kPlayerVsAIIndent[] = "                 ";

constexpr char kFirstStep[] = "Enter your custom title in the GAME SETUP combo box.";
constexpr char kSecondStep[] =
    "If desired, enter the 'SubName(s)' of the ship object you wish to add in any of the AI Team "
    "Ship edit boxes.";
constexpr char kHostStep[] =
    "Enter the the 'SubName(s)' of the ship objects you wish to add in any of the Player Team "
    "Ship edit boxes.\n"
    "These ships can also be from your own CustomLoadOut.txt file as long as you are the host.";
constexpr char kSaveStep[] = "Click on the SAVE BUTTON to save your Custom Setup for future use.";
constexpr char kSelectStep[] = "Click on the SELECT BUTTON to save your Custom Setup for Voidwake game play";
constexpr char kLaunchTeamStep[] =
    "Launch Voidwake and then select the desired team.\n"
    "Players that choose Team 2 will be enemies of Players on\n"
    "Team 1 and allied with the AI Team.";
constexpr char kLaunchShipStep[] =
    "Launch Voidwake and then select the desired ship.\n"
    "All Human Players will be allied and enemies of the AI Team.";

constexpr auto kSummary1 = Concat(
    kPlayerVsPlayerIndent, "PLAYER vs PLAYER | PLAYER SELECT SHIPS",
    "\n\n1. ", kFirstStep, "\n\n2. ", kSecondStep, "\n\n3. ", kSaveStep,
    "\n\n4. ", kSelectStep, "\n\n5. ", kLaunchTeamStep);

constexpr auto kSummary2 = Concat(
    kPlayerVsPlayerIndent, "PLAYER vs PLAYER | HOST SELECT SHIPS",
    "\n\n1. ", kFirstStep, "\n\n2. ", kSecondStep, "\n\n3. ", kHostStep,
    "\n\n4. ", kSaveStep, "\n\n5. ", kSelectStep, "\n\n6. ", kLaunchTeamStep);

constexpr auto kSummary3 = Concat(
    kPlayerVsAIIndent, "PLAYER vs AI | PLAYER SELECT SHIPS",
    "\n\n1. ", kFirstStep, "\n\n2. ", kSecondStep, "\n\n3. ", kSaveStep,
    "\n\n4. ", kSelectStep, "\n\n5. ", kLaunchShipStep);

constexpr auto kSummary4 = Concat(
    kPlayerVsAIIndent, "PLAYER vs AI | HOST SELECT SHIPS",
    "\n\n1. ", kFirstStep, "\n\n2. ", kSecondStep, "\n\n3. ", kHostStep,
    "\n\n4. ", kSaveStep, "\n\n5. ", kSelectStep, "\n\n6. ", kLaunchShipStep);

constexpr const char* kSummaries[kSummaryCount] = {
    kSummary1.data(), kSummary2.data(), kSummary3.data(), kSummary4.data()};

// A ticked game mode and ship choice and the summary they call for.
struct Combination {
    int GameSetupBoxes::*mode;
    int GameSetupBoxes::*shipChoice;
    int summary;
};

constexpr Combination kCombinations[] = {
    {&GameSetupBoxes::playerVsPlayer, &GameSetupBoxes::playerSelectShips, 1},
    {&GameSetupBoxes::playerVsPlayer, &GameSetupBoxes::hostSelectShips, 2},
    {&GameSetupBoxes::playerVsAI, &GameSetupBoxes::playerSelectShips, 3},
    {&GameSetupBoxes::playerVsAI, &GameSetupBoxes::hostSelectShips, 4},
};

const char* FindText(std::span<const HelpEntry> list, std::string_view label) {
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const HelpEntry& entry) { return label == entry.label; });
    return found == list.end() ? nullptr : found->text;
}

}  // namespace

std::span<const HelpEntry> ControlList() { return kControlList; }

std::span<const HelpEntry> QuestionList() { return kQuestionList; }

const char* FindDescription(std::string_view label) { return FindText(kControlList, label); }

const char* FindAnswer(std::string_view question) { return FindText(kQuestionList, question); }

int ChooseSummary(const GameSetupBoxes& boxes) {
    // Every combination is tested on its own; should several hold, the last one wins.
    int summary = kNoSummary;
    for (const Combination& combination : kCombinations)
        if (boxes.*combination.mode == 1 && boxes.*combination.shipChoice == 1) summary = combination.summary;
    return summary;
}

const char* SummaryText(int number) {
    if (number < 1 || number > kSummaryCount) return nullptr;
    return kSummaries[number - 1];
}

}  // namespace help

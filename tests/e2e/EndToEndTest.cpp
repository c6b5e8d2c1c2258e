// The real program in a sandbox (registry value, game folder, working folder),
// used from outside as a user would, through the automation program.
#include "DialogHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace skmtest;

namespace {

const char kCaption[] = "Skirmaker v1.0 for Voidwake";

// The build's paths are the host's; Wine sees the host's root as drive Z:.
std::string WindowsPath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path.size() > 1 && path[1] == ':' ? path : "Z:" + path;
}

struct Outcome {
    DWORD exitCode = 0;
    std::string output;
};

// Runs a program to its end and collects its output.
Outcome RunToEnd(const std::string& commandLine) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    Outcome outcome;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        outcome.exitCode = 0xFFFF;
        return outcome;
    }
    CloseHandle(writeEnd);
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) outcome.output.append(buffer, got);
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(readEnd);
    return outcome;
}

// One command-line argument, quoted by the rules that the runtime's argument
// parser undoes (a quote inside is escaped with a backslash).
std::string Quote(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

class EndToEndTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (m_program.hProcess) {
            if (WaitForSingleObject(m_program.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_program.hProcess, 1);
            CloseHandle(m_program.hProcess);
            CloseHandle(m_program.hThread);
        }
    }

    // Starts Skirmaker.exe in the sandbox's working folder and waits for its dialog.
    void Start() {
        std::string line = Quote(WindowsPath(SKIRMAKER_EXE));
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   m_work.c_str(), &startup, &m_program));
        ASSERT_EQ(Drive({"wait", kCaption}).exitCode, 0u);
    }

    Outcome Drive(const std::vector<std::string>& words) {
        std::string line = Quote(WindowsPath(SKMDRIVE_EXE));
        for (const std::string& word : words) line += " " + Quote(word);
        return RunToEnd(line);
    }
    void SetText(int id, const std::string& text) {
        ASSERT_EQ(Drive({"settext", kCaption, std::to_string(id), text}).exitCode, 0u);
    }
    void Click(int id) { ASSERT_EQ(Drive({"click", kCaption, std::to_string(id)}).exitCode, 0u); }
    // Presses a button that answers with a message box, and dismisses the box.
    std::string ClickForBox(int id, const std::string& boxCaption) {
        EXPECT_EQ(Drive({"post-click", kCaption, std::to_string(id)}).exitCode, 0u);
        return BoxText(boxCaption);
    }
    std::string BoxText(const std::string& boxCaption) {
        const Outcome box = Drive({"box", boxCaption});
        EXPECT_EQ(box.exitCode, 0u);
        std::string text = box.output;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    }
    bool Exited(DWORD timeoutMs = 20000) { return WaitForSingleObject(m_program.hProcess, timeoutMs) == WAIT_OBJECT_0; }

    GameSandbox m_game;
    std::string m_work = [] {
        char folder[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, folder);
        return std::string(folder);
    }();
    PROCESS_INFORMATION m_program{};
};

TEST_F(EndToEndTest, SelectAppliesTheSetupAndLeavesTheRestOfTheFileAlone) {
    m_game.WriteScriptsIni(
        "; game scripts\r\n[Mul_Arena]\r\nmap=Nebula\r\n\r\n"
        "[Mul_Skirmaker]\r\nsetup=Old\r\nship1=Old1\r\nTeamSettings=1\r\nPlayerShipSettings=4\r\n\r\n"
        "[Sp_Campaign]\r\nlevel = 3\r\n");
    Start();
    SetText(1001, "\"Kestrel\"");
    SetText(1026, "Dart");
    Click(1022);
    Click(1024);
    EXPECT_EQ(ClickForBox(1, "Skirmaker"), "Game Setup Saved For Voidwake Game Play!");
    ASSERT_TRUE(Exited());
    EXPECT_EQ(m_game.ReadScriptsIni(),
              "; game scripts\r\n[Mul_Arena]\r\nmap=Nebula\r\n\r\n"
              "[Mul_Skirmaker]\r\nsetup=Old\r\nship1=Old1\r\nTeamSettings=2\r\nPlayerShipSettings=8\r\n"
              "ship2=\"Kestrel\"\r\nship3=\r\nship4=\r\nship5=\r\nship6=\r\nship7=\r\nship8=\r\nship9=\r\n"
              "ship10=Dart\r\nship11=\r\nship12=\r\nship13=\r\nship14=\r\n\r\n"
              "[Sp_Campaign]\r\nlevel = 3\r\n");
    EXPECT_FALSE(FileExists(m_game.DataFile()));
}

TEST_F(EndToEndTest, AnIncompleteModeIsWrittenAndTheDialogStaysOpen) {
    Start();
    Click(1023);
    EXPECT_EQ(ClickForBox(1, "No Option Selected!"), "You must select the game setup options from the dialog!");
    EXPECT_FALSE(Exited(500));
    EXPECT_EQ(m_game.ReadScriptsIni(),
              "[Mul_Skirmaker]\r\nsetup=\r\nship1=\r\nship2=\r\nship3=\r\nship4=\r\nship5=\r\nship6=\r\n"
              "ship7=\r\nship8=\r\nship9=\r\nship10=\r\nship11=\r\nship12=\r\nship13=\r\nship14=\r\n"
              "TeamSettings=0\r\nPlayerShipSettings=4\r\n");
    ASSERT_EQ(Drive({"key", kCaption, "1000", std::to_string(VK_ESCAPE)}).exitCode, 0u);
    ASSERT_TRUE(Exited());
}

TEST_F(EndToEndTest, SaveThenCloseWritesTheSetupAndNotTheGamesFile) {
    const std::string ini = "[Mul_Skirmaker]\r\nsetup=Applied\r\n";
    m_game.WriteScriptsIni(ini);
    Start();
    SetText(1006, "abc");
    Click(1022);
    Click(1023);
    Click(1010);
    EXPECT_EQ(Drive({"gettext", kCaption, "1032"}).output, "Applied\r\n");  // the form is cleared
    ASSERT_EQ(Drive({"post-click", kCaption, "8"}).exitCode, 0u);
    ASSERT_TRUE(Exited());
    const std::string abc("\x03" "abc", 4);
    const std::string expected = std::string("\x01\x00", 2) + abc + std::string("\xFF\xFF\x01\x00\x0E\x00", 6) +
                                 "CSkirmakerData" + abc + std::string(14, '\0') + abc +
                                 std::string("\0\0\0\0" "\x01\0\0\0" "\x01\0\0\0" "\0\0\0\0" "\0", 17);
    ASSERT_EQ(expected.size(), 65u);
    EXPECT_EQ(ReadFileBytes(m_game.DataFile()), expected);
    EXPECT_EQ(m_game.ReadScriptsIni(), ini);
}

TEST_F(EndToEndTest, WithoutTheGameItSaysSoAndEscWritesNothing) {
    SetInstallPath(nullptr, false);
    Start();
    const std::string text = BoxText("Skirmaker");
    EXPECT_EQ(text.rfind("Error reading from skirmaker.ini; code ", 0), 0u) << text;
    ASSERT_EQ(Drive({"key", kCaption, "1000", std::to_string(VK_ESCAPE)}).exitCode, 0u);
    ASSERT_TRUE(Exited());
    EXPECT_FALSE(FileExists(m_game.DataFile()));
    EXPECT_FALSE(FileExists(m_game.ScriptsIni()));
}

}  // namespace

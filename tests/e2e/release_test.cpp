// The release as a Windows user meets it, in a copy of the test prefix: a silent install, the installed program
// keeping its settings in the roaming folder (an upgrade and an uninstall refusing while it runs), a silent
// uninstall that leaves them and nothing else, then the portable zip keeping its settings beside it.
#include <pwd.h>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

const std::string kRelease = ORV_SOURCE_DIR "/build/dist/Orvinale-" ORV_VERSION "-x64-";

// A copy of the test prefix in the story's folder (its DLL folders hard links: nothing writes
// there) that every wine-run of the story uses; its Wine server ends with it.
struct PrivatePrefix {
  explicit PrivatePrefix(const Orvinale& app) : app(app), path(ShellQuote(app.Path("prefix"))) {
    Capture(ShellQuote(ORV_SOURCE_DIR "/scripts/wine-prefix") + " && cd \"${ORV_WINEPREFIX:-" ORV_SOURCE_DIR
            "/build/wineprefix}\" && mkdir " + path + " && tar -cf - --exclude=./drive_c/windows/system32 " +
            "--exclude=./drive_c/windows/winsxs . | tar -xf - -C " + path +
            " && cp -al --parents drive_c/windows/system32 drive_c/windows/winsxs " + path);
    setenv("ORV_WINEPREFIX", app.Path("prefix").c_str(), 1);
  }
  ~PrivatePrefix() { Capture("WINEPREFIX=" + path + " wineserver -k"); unsetenv("ORV_WINEPREFIX"); }
  int Run(const std::string& program, const std::string& args) const {  // its exit code
    return std::stoi(Capture(ShellQuote(ORV_SOURCE_DIR "/scripts/wine-run") + " " + ShellQuote(program) + " " + args +
                             " >/dev/null; echo $?"));
  }
  // HKEY_CURRENT_USER as regedit exports it (UTF-16 of ASCII), less the keys Wine changes at every run.
  std::string UserKeys() const {
    Run("regedit", "/E " + ShellQuote(app.WindowsPath("hkcu.reg")) + " HKEY_CURRENT_USER");
    return Capture("tr -d '\\000\\r' <" + ShellQuote(app.Path("hkcu.reg")) +
                   " | awk '/^\\[/ { wine = /^.HKEY_CURRENT_USER.Software.Wine/ } !wine'");
  }
  const Orvinale& app;
  const std::string path;
};

// One line of regedit's export.
std::string Value(const std::string& name, const std::string& data) {
  std::string line = "\"" + name + "\"=\"";
  for (char c : data) line += (c == '\\' || c == '"' ? "\\" : "") + std::string(1, c);
  return line + "\"\n";
}

TEST(Story, InstallTheReleaseUseItUninstallItThenCarryThePortableZip) {
  ASSERT_TRUE(FileExists(kRelease + "setup.exe") && FileExists(kRelease + "portable.zip")) << "no release: make dist";
  Orvinale app;
  PrivatePrefix wine(app);
  // The user's own default for .txt and a key every Windows has: the uninstaller leaves both as they are.
  std::ofstream(app.Path("prefix/user.reg"), std::ios::app) << "\n[Software\\\\Classes\\\\.txt] 0\n@=\"txtfile\"\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall] 0\n";
  const std::string login = getpwuid(getuid())->pw_name, user = "prefix/drive_c/users/" + login + "/AppData/";
  const std::string folder = user + "Local/Programs/Orvinale", settings = app.Path(user + "Roaming/Orvinale/");
  const std::string shortcut = app.Path(user + "Roaming/Microsoft/Windows/Start Menu/Programs/Orvinale.lnk");
  const std::string location = "C:\\users\\" + login + "\\AppData\\Local\\Programs\\Orvinale";
  const std::string uninstall = location + "\\uninstall.exe", quiet = "/S " + ShellQuote("_?=" + location);
  const std::string start = Capture("printf '%s\\0' " + ShellQuote(location) + " | iconv -t UTF-16LE");  // ended there
  const std::string keys_before = wine.UserKeys();
  ASSERT_TRUE(app.Files({{"note.cpp", "int main() {}\n"}}));
  Capture("cd " + ShellQuote(app.Path("")) + " && unzip -q " + ShellQuote(kRelease + "portable.zip"));

  EXPECT_EQ(wine.Run(kRelease + "setup.exe", "/S"), 0);
  EXPECT_EQ(Capture("diff -r -x portable -x uninstall.exe " + ShellQuote(app.Path("Orvinale")) + " " +
                    ShellQuote(app.Path(folder)) + " && echo same"), "same\n") << "not the zip's files alone";
  EXPECT_NE(ReadBytes(shortcut).find(start), std::string::npos) << "no shortcut whose start folder is " << location;
  const std::string keys = wine.UserKeys();
  for (const std::string& entry : std::vector<std::string>{
           Value("DisplayVersion", ORV_VERSION), Value("InstallLocation", location),
           Value("QuietUninstallString", "\"" + uninstall + "\" /S _?=" + location), "\"DisplayName\"=",
           "\"DisplayIcon\"=", "\"Publisher\"=", "\"EstimatedSize\"=dword:", "\"UninstallString\"=",
           "Classes\\.cpp\\OpenWithProgids]\n" + Value("Orvinale.File", ""), "Classes\\.txt]\n@=\"txtfile\"\n"})
    EXPECT_NE(keys.find(entry), std::string::npos) << "no " << entry << " in\n" << keys;

  app.exe = folder + "/orvinale.exe";
  const std::string times = "find " + ShellQuote(app.Path(folder)) + " -printf '%p %C@\\n'", installed = Capture(times);
  unsigned long main = app.StartMain("note.cpp");
  ASSERT_NE(main, 0u) << "the installed program showed no window titled " << MainTitle("note.cpp");
  EXPECT_EQ((std::vector<int>{wine.Run(kRelease + "setup.exe", "/S"), wine.Run(uninstall, quiet)}), std::vector(2, 2));
  EXPECT_EQ(app.Quit(main), 0);
  EXPECT_EQ(Capture(times) + wine.UserKeys(), installed + keys);  // not a file or a key touched
  EXPECT_TRUE(FileExists(settings + "preferences.txt") && FileExists(settings + "orvinale.ini"));

  EXPECT_EQ(wine.Run(uninstall, quiet), 0);
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(app.Path(folder)); }, 60)) << "the install folder stays";
  EXPECT_FALSE(FileExists(shortcut));
  EXPECT_EQ(wine.UserKeys(), keys_before);
  EXPECT_TRUE(FileExists(settings + "preferences.txt") && FileExists(settings + "orvinale.ini"));

  Capture("rm -r " + ShellQuote(settings));  // a portable run must not make it again
  app.exe = "Orvinale/orvinale.exe";
  main = app.StartMain("note.cpp");
  ASSERT_NE(main, 0u) << "the portable program showed no window titled " << MainTitle("note.cpp");
  EXPECT_EQ(app.Quit(main), 0);
  EXPECT_TRUE(FileExists(app.Path("Orvinale/portable/preferences.txt")) &&
              FileExists(app.Path("Orvinale/portable/orvinale.ini")));
  EXPECT_FALSE(FileExists(settings));
}

}  // namespace

#pragma once
// The texts the program shows: the main window's title, the change count
// after a replace-all, the welcome box, the save commands' boxes and the
// Version box with the build stamp; and the shell wrapper's choice of call.
#include <cstdint>
#include <initializer_list>
#include <string>

extern const char kProductTitle[];      // "Orvinale <version> (x64)"
extern const char kWebsiteAddress[];    // the product web page
extern const char kWelcomeCaption[];    // "Release for testing purposes"

// The path's last component (after the last '\' or '/').
std::string LastPathComponent(const std::string& path);

// "name - title" when the file name is shown and there is a document,
// otherwise the plain title; at most 2,047 bytes.
std::string MainTitleText(const std::string& title, bool show_filename, const char* document_path);

// "title | N change(s)"; at most 511 bytes. Empty for a count of 0.
std::string ChangeCountTitle(const std::string& title, int32_t count);

// The welcome box's text with the start-up time in seconds; at most 1,023 bytes.
std::string WelcomeText(double startup_seconds);

// The save commands' boxes, under the caption "Save file". A failed save
// names the file, gives the system's reason when there is one, and names
// the file that holds the text when the original could not be put back
// (`kept_path` not empty).
std::string SaveFailureText(const std::string& path, const std::string& reason,
                            const std::string& kept_path);
// A paste ("Paste") or a change of all matches ("Change") refused because
// the text would pass 1 GB: says so, and that nothing changed.
std::string TooLargeResultText(const std::string& action);
// A save that left a file Orvinale will refuse to open.
std::string SavedTooLargeText(const std::string& path);

extern const char kVersionCaption[];  // "Version details"

// The Version box's text for a build made at `timestamp` (the compiler's
// "Mmm dd yyyy hh:mm:ss") from source revision `commit`.
std::string VersionBoxText(const char* timestamp, const char* commit);

// When and from what source revision this program was built (build_stamp.cpp,
// recompiled whenever the revision changes): the compiler's date and time of
// this build, "Mmm dd yyyy hh:mm:ss", and the 40 lower-case hexadecimal digits
// of the source revision (all zeros when the source was not a git checkout
// and no revision was given).
const char* BuildTimestamp();
const char* BuildCommit();

// True when a shell execution must take the wide call: one of the strings
// holds a multi-byte UTF-8 sequence or is not valid UTF-8. Null strings are
// allowed and count as plain.
bool ShellNeedsWide(std::initializer_list<const char*> strings);

#pragma once
// The texts the main window shows: its title, the change count after a
// replace-all, the welcome box and the save commands' boxes.
#include <cstdint>
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
// names the file that holds the text when the original could not be put
// back (`kept_path` not empty).
std::string SaveFailureText(const std::string& kept_path);
// A save that left a file Orvinale will refuse to open.
std::string SavedTooLargeText(const std::string& path);

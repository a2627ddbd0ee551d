#include "app/main_profile.h"

#include "app/profile.h"

int FileProfileStore::GetInt(const char* key, int fallback) {
  return ProfileGetInt(key, fallback, path_.c_str());
}

void FileProfileStore::SetString(const char* key, const char* value) {
  ProfileSetString(key, value, path_.c_str());
}

// Menu 108 as compiled into the executable: popups, ids, exact texts (with
// their tab characters) and the two grayed labels.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/resource.h"

namespace {

std::wstring TextOf(HMENU menu, UINT pos) {
  wchar_t buf[128] = {};
  GetMenuStringW(menu, pos, buf, 128, MF_BYPOSITION);
  return buf;
}

TEST(AppMenu, PopupsItemsAndTexts) {
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 5);
  const wchar_t* popups[] = {L"&FILE", L"&EDIT", L"&VIEW", L"&OPTIONS", L"&HELP"};
  const int counts[] = {11, 12, 10, 1, 11};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(TextOf(menu, i), popups[i]);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, i)), counts[i]) << i;
  }
  HMENU file = GetSubMenu(menu, 0);
  EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(ID_FILE_NEW));
  EXPECT_EQ(TextOf(file, 0), L"&New\t Ctrl+N");
  EXPECT_EQ(TextOf(file, 4), L"&Save\tCtrl+S");  // the one without a space
  EXPECT_EQ(GetMenuItemID(file, 10), static_cast<UINT>(ID_FILE_EXIT));
  EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 2), 9), static_cast<UINT>(ID_VIEW_WHITESPACE));
  EXPECT_EQ(TextOf(GetSubMenu(menu, 2), 1), L"&Switch...\t Ctrl+Tab");

  HMENU help = GetSubMenu(menu, 4);
  EXPECT_EQ(TextOf(help, 0), L"Text file:");
  EXPECT_TRUE(GetMenuState(help, ID_HELP_TEXT_FILE_LABEL, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(help, ID_HELP_ONLINE_LABEL, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(help, ID_HELP_ABOUT, MF_BYCOMMAND) & MF_GRAYED);
  DestroyMenu(menu);
}

TEST(AppMenu, IconResourceLoads) {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVINALE));
  EXPECT_NE(icon, nullptr);
}

}  // namespace

#pragma once
// The virtual-key codes (the platform's VK_ values) that the portable code
// reads from key messages: the main window's key table, the console's keys
// and the Folders and Switch windows' keys.
#include <cstdint>

enum VirtualKey : uint8_t {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkPrior = 0x21,  // Page Up
  kVkNext = 0x22,   // Page Down
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkInsert = 0x2D,
  kVkDelete = 0x2E,
  kVkF1 = 0x70,
  kVkF2 = 0x71,
  kVkF3 = 0x72,
  kVkF5 = 0x74,
  kVkF11 = 0x7A,
  kVkF12 = 0x7B,
};

#include "tests/e2e/documents_support.h"

namespace e2e {

bool AddFolderThroughDialog(Orvinale& app, unsigned long main_window,
                            const std::string& windows_path) {
  app.Key(main_window, "ctrl+shift+o");
  unsigned long dialog = app.WaitWindow("Open folder", 30);
  if (dialog == 0) return false;
  app.Screenshot(dialog, "open-folder.png");
  app.Type(dialog, windows_path);
  app.Key(dialog, "Return");
  return app.WaitWindowGone("Open folder", 20);
}

int TextRows(const Image& image, const Rgb& text, int x0, int y0, int x1, int y1) {
  int bands = 0;
  bool inside = false;
  for (int y = y0; y < y1; ++y) {
    bool has_text = image.Count(text, x0, y, x1, y + 1) > 0;
    if (has_text && !inside) ++bands;
    inside = has_text;
  }
  return bands;
}

int FirstRowWith(const Image& image, const Rgb& colour, int y0) {
  for (int y = y0; y < image.height; ++y)
    if (image.Count(colour, 0, y, image.width, y + 1) > 0) return y;
  return image.height;
}

}  // namespace e2e

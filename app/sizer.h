#pragma once
// Child layout: children keep their registered rectangles, with each edge
// moved by its anchor fraction times the change of the parent's client size
// since set-up. Rectangles are in set-up DPI pixels and scaled to the DPI
// of the layout pass.
#include <cstdint>
#include <vector>

struct SizerRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const SizerRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct SizerAnchors {
  double left = 0, top = 0, right = 0, bottom = 0;  // each 0..1
};

// A child that keeps its distance to every client edge.
constexpr SizerAnchors kFollowEdges{0, 0, 1, 1};

struct SizerChild {
  int32_t id = 0;  // control id
  SizerRect rect;  // at registration, parent client coordinates, set-up DPI
  SizerAnchors anchors;
};

// Invariant: base_dpi > 0; child ids are unique.
struct Sizer {
  int32_t base_width = 0, base_height = 0;  // client size at set-up
  int32_t base_dpi = 96;
  std::vector<SizerChild> children;
};

void SetUpSizer(Sizer* sizer, int32_t client_width, int32_t client_height, int32_t dpi);
// Adds the child, or replaces the one registered under the same id.
void AddSizerChild(Sizer* sizer, int32_t id, const SizerRect& rect, const SizerAnchors& anchors);
// The registered child, or null.
SizerChild* FindSizerChild(Sizer* sizer, int32_t id);

// Where the child goes for a client of the given size at the given DPI
// (client sizes are in that DPI's pixels).
SizerRect LayoutChild(const Sizer& sizer, const SizerChild& child, int32_t client_width,
                      int32_t client_height, int32_t dpi);

// Line-pane width of the main window's timer: moves the registered edges of
// the line pane (and the text pane's left edge) so the line pane is `width`
// pixels at `dpi` wide at the client's left edge (registered in set-up DPI
// pixels). Only a change of the registered width counts: false when it
// already is that, so no layout pass is needed.
bool SetLinePaneWidth(Sizer* sizer, int32_t line_id, int32_t surface_id, int32_t width,
                      int32_t dpi);

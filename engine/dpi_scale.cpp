// The scaling rule of dpi_scale.h.
#include "engine/dpi_scale.h"

#include <algorithm>
#include <limits>

int32_t ScaleToDpi(int32_t design, int32_t dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  const int64_t product = static_cast<int64_t>(design) * dpi;
  const int64_t half = product < 0 ? -kDesignDpi / 2 : kDesignDpi / 2;
  const int64_t scaled = (product + half) / kDesignDpi;
  return static_cast<int32_t>(std::clamp<int64_t>(scaled, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Scaling between 96-dpi numbers and a monitor's pixels. No Win32 here.
#include "ui/dpi.h"

#include <algorithm>
#include <limits>

namespace tabvane {
namespace {

// value × numerator / denominator, rounded to nearest with halves away from zero. Twice the
// product over twice the denominator: the half is exact for odd denominators too.
int64_t MulDivRounded(int64_t value, int32_t numerator, int32_t denominator) {
  const int64_t twice = 2 * value * numerator;
  const int64_t twiceDenominator = 2 * int64_t{denominator};
  return twice >= 0 ? (twice + denominator) / twiceDenominator
                    : -((-twice + denominator) / twiceDenominator);
}

int32_t Clamped(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int32_t Dpi(int32_t dpi) { return dpi > 0 ? dpi : kDesignDpi; }

// A coordinate whose distance from origin scales by numerator / denominator.
int32_t ScaledFrom(int32_t value, int32_t origin, int32_t numerator, int32_t denominator) {
  return Clamped(origin + MulDivRounded(int64_t{value} - origin, numerator, denominator));
}

}  // namespace

int32_t Scale(int32_t value, int32_t dpi) { return ScaledFrom(value, 0, Dpi(dpi), kDesignDpi); }

int32_t Unscale(int32_t value, int32_t dpi) { return ScaledFrom(value, 0, kDesignDpi, Dpi(dpi)); }

int32_t ScaleLine(int32_t value, int32_t dpi) { return std::max(Scale(value, dpi), 1); }

Place ScalePlace(const Place& place, int32_t dpi) {
  const int32_t left = Scale(place.left, dpi);
  const int32_t top = Scale(place.top, dpi);
  return {left, top, Scale(place.left + place.width, dpi) - left,
          Scale(place.top + place.height, dpi) - top};
}

int32_t ComboBox1Width(int32_t panelWidth, int32_t dpi) {
  const int32_t width =
      panelWidth - Scale(design::kComboBox1.left, dpi) - Scale(design::kComboRightGap, dpi);
  return std::max(width, Scale(design::kMinControlWidth, dpi));
}

Bounds ScaleBounds(const Bounds& bounds, int32_t dpi, const Position& origin) {
  const Position corner = ScalePosition({bounds.left, bounds.top}, dpi, origin);
  return {corner.left, corner.top, Scale(bounds.width, dpi), Scale(bounds.height, dpi)};
}

Bounds UnscaleBounds(const Bounds& bounds, int32_t dpi, const Position& origin) {
  const Position corner = UnscalePosition({bounds.left, bounds.top}, dpi, origin);
  return {corner.left, corner.top, Unscale(bounds.width, dpi), Unscale(bounds.height, dpi)};
}

Position ScalePosition(const Position& position, int32_t dpi, const Position& origin) {
  return {ScaledFrom(position.left, origin.left, Dpi(dpi), kDesignDpi),
          ScaledFrom(position.top, origin.top, Dpi(dpi), kDesignDpi)};
}

Position UnscalePosition(const Position& position, int32_t dpi, const Position& origin) {
  return {ScaledFrom(position.left, origin.left, kDesignDpi, Dpi(dpi)),
          ScaledFrom(position.top, origin.top, kDesignDpi, Dpi(dpi))};
}

}  // namespace tabvane

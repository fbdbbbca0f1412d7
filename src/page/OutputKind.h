#pragma once
// The page variant: a set of three flags. Apply writes kinds 2, 1, 3, 6 and 7.
namespace trackalbum {

namespace OutputKind {
constexpr int Picture = 1;
constexpr int Route = 2;
constexpr int ProfileLayout = 4;
}  // namespace OutputKind

}  // namespace trackalbum

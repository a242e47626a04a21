#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "runtime/dispatch/property_kind.h"
#include "runtime/kernel/component_class.h"

namespace veltrano {

// Indices 0 to 7 of every class: where it stands, its tag, whether it shows
// and takes input, and its mouse pointer. A class's own properties follow.
inline constexpr std::size_t kCommonPropertyCount = 8;
using CommonProperties = std::array<PropertyDescriptor, kCommonPropertyCount>;
using CommonPropertyNames = std::array<const char*, kCommonPropertyCount>;

// The common properties under the names a class gives them; their kinds are
// the same in every class.
constexpr CommonProperties commonProperties(const CommonPropertyNames& names) noexcept {
    return {{
        {names[0], PropertyKind::Integer},
        {names[1], PropertyKind::Integer},
        {names[2], PropertyKind::Integer},
        {names[3], PropertyKind::Integer},
        {names[4], PropertyKind::Text},
        {names[5], PropertyKind::Bool},
        {names[6], PropertyKind::Bool},
        {names[7], PropertyKind::Cursor},
    }};
}

inline constexpr CommonProperties kCommonProperties =
    commonProperties({"Left", "Top", "Width", "Height", "Tag", "Visible", "Disabled", "MousePointer"});

namespace detail {
template <std::size_t OwnCount, std::size_t... CommonIndex, std::size_t... OwnIndex>
constexpr std::array<PropertyDescriptor, kCommonPropertyCount + OwnCount> joinProperties(
    const CommonProperties& common, const PropertyDescriptor (&own)[OwnCount], std::index_sequence<CommonIndex...>,
    std::index_sequence<OwnIndex...>) noexcept {
    return {{common[CommonIndex]..., own[OwnIndex]...}};
}
}  // namespace detail

// A class's whole property table: the common properties, then its own in
// index order.
template <std::size_t OwnCount>
constexpr std::array<PropertyDescriptor, kCommonPropertyCount + OwnCount> withCommonProperties(
    const CommonProperties& common, const PropertyDescriptor (&own)[OwnCount]) noexcept {
    return detail::joinProperties(common, own, std::make_index_sequence<kCommonPropertyCount>(),
                                  std::make_index_sequence<OwnCount>());
}

template <std::size_t OwnCount>
constexpr std::array<PropertyDescriptor, kCommonPropertyCount + OwnCount> withCommonProperties(
    const PropertyDescriptor (&own)[OwnCount]) noexcept {
    return withCommonProperties(kCommonProperties, own);
}

}  // namespace veltrano

#pragma once

#include <cstddef>
#include <optional>

namespace nivora {

// Index lookup that yields nothing instead of faulting when the index is out of
// range. Every scene index and palette position goes through it, because both
// come from stored settings or user input and may be stale.
template <typename List, typename Index>
auto safeAt(const List& list, Index index) -> std::optional<typename List::value_type>
{
    if (index < 0 || static_cast<unsigned long long>(index) >= static_cast<unsigned long long>(list.size()))
        return std::nullopt;
    return list[static_cast<typename List::size_type>(index)];
}

} // namespace nivora

#pragma once

#include <memory>
#include <vector>

// Lets the list classes, which own their rows through shared pointers,
// be walked by range-for as rows rather than as pointers.
template <typename Row>
class RowIterator {
public:
    using Inner = typename std::vector<std::shared_ptr<Row>>::const_iterator;
    explicit RowIterator(Inner it) : m_it(it) {}
    Row &operator*() const { return **m_it; }
    Row *operator->() const { return m_it->get(); }
    RowIterator &operator++()
    {
        ++m_it;
        return *this;
    }
    bool operator==(const RowIterator &other) const { return m_it == other.m_it; }
    bool operator!=(const RowIterator &other) const { return m_it != other.m_it; }

private:
    Inner m_it;
};

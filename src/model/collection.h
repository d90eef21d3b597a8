#pragma once
// Ordered collection of shared members with optional unique text keys and
// 1-based positions. Members are shared: a caller that holds one keeps it
// alive after it was removed from the collection.
#include "platform/runtimeerror.h"

#include <QString>
#include <memory>
#include <vector>

namespace tess {

template <typename T>
class Collection {
public:
    using Ptr = std::shared_ptr<T>;

private:
    struct Entry {
        Ptr member;
        QString key;
    };

public:

    int Count() const { return int(m_items.size()); }

    // Members are returned by value: a caller's reference stays valid when
    // the collection changes afterwards (Add, Remove).

    // 1-based position; outside 1..Count raises error 9.
    Ptr Item(int index) const
    {
        if (index < 1 || index > Count())
            raise(Err::SubscriptOutOfRange);
        return m_items[size_t(index - 1)].member;
    }
    // A key no member carries raises error 5.
    Ptr Item(const QString &key) const { return m_items[size_t(findKey(key))].member; }
    Ptr operator()(int index) const { return Item(index); }

    void Remove(int index)
    {
        if (index < 1 || index > Count())
            raise(Err::SubscriptOutOfRange);
        m_items.erase(m_items.begin() + (index - 1));
    }
    void Remove(const QString &key) { m_items.erase(m_items.begin() + findKey(key)); }

    // Removes every member (the New command).
    void Clear() { m_items.clear(); }

    // Iteration in collection order (the enumerator).
    struct Iterator {
        typename std::vector<Entry>::const_iterator it;
        const Ptr &operator*() const { return it->member; }
        Iterator &operator++() { ++it; return *this; }
        bool operator!=(const Iterator &o) const { return it != o.it; }
        bool operator==(const Iterator &o) const { return it == o.it; }
    };
    Iterator begin() const { return {m_items.begin()}; }
    Iterator end() const { return {m_items.end()}; }

protected:
    // Appends under the key (when not empty); a key in use raises error 457
    // and adds nothing. Keys are matched without regard to letter case, in
    // Item and Remove as here.
    Ptr append(Ptr member, const QString &key)
    {
        if (!key.isEmpty())
            for (const auto &e : m_items)
                if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                    raise(Err::KeyInUse);
        m_items.push_back({std::move(member), key});
        return m_items.back().member;
    }

private:
    qsizetype findKey(const QString &key) const
    {
        if (!key.isEmpty())
            for (size_t i = 0; i < m_items.size(); ++i)
                if (m_items[i].key.compare(key, Qt::CaseInsensitive) == 0)
                    return qsizetype(i);
        raise(Err::InvalidCall);
    }

    std::vector<Entry> m_items;
};

} // namespace tess

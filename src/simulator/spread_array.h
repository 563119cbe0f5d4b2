#pragma once
// A control array whose elements live in different containers: the hot
// spots LblZHU(1..99) sit in the picture box of their screen region, yet
// are one array with one set of handlers. Same interface as
// forms::ControlArray apart from load, which names the container.
#include "forms/array.h"
#include "forms/control.h"
#include "forms/error.h"

#include <map>
#include <vector>

namespace sim {

template <class T> class SpreadArray : public forms::IndexedEvents {
public:
    explicit SpreadArray(const QString &name) : name_(name) {}
    SpreadArray(const SpreadArray &) = delete;
    SpreadArray &operator=(const SpreadArray &) = delete;

    const QString &name() const { return name_; }

    // Element i; error 340 when it does not exist.
    T *operator()(int i) const {
        auto it = elements_.find(i);
        if (it == elements_.end())
            forms::raise(forms::errControlArrayMissing,
                         QStringLiteral("Control array element '%1' doesn't exist").arg(i));
        return it->second;
    }
    T *at(int i) const { return (*this)(i); }
    bool exists(int i) const { return elements_.count(i) != 0; }

    // Creates element i on the given container; error 360 when it exists.
    T *load(int i, forms::Container *parent) {
        if (exists(i))
            forms::raise(forms::errAlreadyLoaded, QStringLiteral("Object already loaded"));
        T *c = new T(parent, name_);
        c->attachToArray(i, this);
        elements_[i] = c;
        return c;
    }

    int count() const { return int(elements_.size()); }
    int lbound() const { return elements_.empty() ? 0 : elements_.begin()->first; }
    int ubound() const { return elements_.empty() ? 0 : elements_.rbegin()->first; }
    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

private:
    QString name_;
    std::map<int, T *> elements_;
};

} // namespace sim

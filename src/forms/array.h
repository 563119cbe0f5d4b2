#pragma once
// Control arrays: elements addressed by a sparse index, one set of event
// handlers that receives the Index.
//
//   forms::ControlArray<forms::Label> LblZHU{this, "LblZHU"};   // member of the form
//   for (int i = 1; i <= 99; ++i) LblZHU.load(i);              // set-up
//   LblZHU.onMouseUp = [this](int i, int b, int s, double x, double y) { ... };
//   LblZHU(5)->setLeft(300 * ScaleX);                          // error 340 if 5 is missing
#include "control.h"
#include "error.h"

#include <map>
#include <vector>

namespace forms {

template <class T> class ControlArray : public IndexedEvents {
public:
    ControlArray(Container *parent, const QString &name) : parent_(parent), name_(name) {}
    ControlArray(const ControlArray &) = delete;
    ControlArray &operator=(const ControlArray &) = delete;

    const QString &name() const { return name_; }

    // Element i; error 340 when it does not exist.
    T *operator()(int i) const {
        auto it = elements_.find(i);
        if (it == elements_.end())
            raise(errControlArrayMissing,
                  QStringLiteral("Control array element '%1' doesn't exist").arg(i));
        return it->second;
    }
    T *at(int i) const { return (*this)(i); }
    bool exists(int i) const { return elements_.count(i) != 0; }

    // Creates element i on the array's container (or on `in`, e.g. a
    // picture box made after the array); error 360 when it exists.
    T *load(int i, Container *in = nullptr) {
        if (exists(i)) raise(errAlreadyLoaded, QStringLiteral("Object already loaded"));
        T *c = new T(in ? in : parent_, name_);
        c->attachToArray(i, this);
        elements_[i] = c;
        return c;
    }
    // Removes element i (deleted once no handler runs); error 340 when missing.
    void unload(int i) {
        T *c = (*this)(i);
        elements_.erase(i);
        c->container()->destroyChild(c);
    }

    int count() const { return int(elements_.size()); }
    // Lowest and highest index (0 for an empty array).
    int lbound() const { return elements_.empty() ? 0 : elements_.begin()->first; }
    int ubound() const { return elements_.empty() ? 0 : elements_.rbegin()->first; }
    std::vector<int> indices() const {
        std::vector<int> v;
        for (auto &e : elements_) v.push_back(e.first);
        return v;
    }
    // Iteration over (index, element) in index order.
    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

private:
    Container *parent_;
    QString name_;
    std::map<int, T *> elements_;
};

} // namespace forms

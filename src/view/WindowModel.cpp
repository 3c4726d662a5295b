#include "view/WindowModel.h"

namespace kx {

std::string Control::objectName() const {
    return index == 0 ? name : name + "_" + std::to_string(index);
}

namespace {
unsigned additions = 0;
}

unsigned ControlArray::controlsAdded() {
    return additions;
}

Control& ControlArray::add(Control c) {
    ++additions;
    c.index = size() + 1;
    items_.push_back(std::move(c));
    return items_.back();
}

std::vector<Control*> WindowModel::controls() {
    std::vector<Control*> all;
    auto addArray = [&all](ControlArray& a) {
        for (Control& c : a)
            all.push_back(&c);
    };
    addArray(MDS);
    all.insert(all.end(), {&OKB, &lb1});
    addArray(WER1);
    all.insert(all.end(), {&lb2, &WAS1, &WAS1s, &lb3});
    addArray(WER2);
    all.insert(all.end(), {&lb4, &WAS2, &lb5, &WIE2, &lb6});
    addArray(WER3);
    all.insert(all.end(), {&SPF, &PKF});
    addArray(NMS);
    for (int j = 1; j <= CNT.size(); ++j) {
        all.insert(all.end(), {&CNT(j), &SPL(j), &PKT(j)});
        for (int p = 1; p <= 6; ++p)
            all.push_back(&SP[static_cast<std::size_t>(p)](j));
    }
    addArray(SPsum);
    all.push_back(&BOCK);
    return all;
}

Control* WindowModel::find(const std::string& objectName) {
    for (Control* c : controls()) {
        if (c->objectName() == objectName) return c;
    }
    return nullptr;
}

void checkOption(ControlArray& group, int k) {
    for (Control& c : group)
        c.checked = (c.index == k);
}

void uncheckAll(ControlArray& group) {
    for (Control& c : group)
        c.checked = false;
}

int checkedOption(const ControlArray& group) {
    for (const Control& c : group) {
        if (c.checked) return c.index;
    }
    return 0;
}

}  // namespace kx

#include "runtime/controls/MemoryControls.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "runtime/AsciiCase.h"
#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

namespace {
void fire(const Handler& handler) {
  if (handler) handler();
}
}  // namespace

bool fitsTimeMask(const std::string& text) {
  if (text.size() != 5 || text[2] != ':') return false;
  for (std::size_t i : {0u, 1u, 3u, 4u}) {
    const char c = text[i];
    if (c != '_' && !std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

void MemoryTextBox::setText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  fire(onChange);
}

void MemoryMaskedEdit::setText(const std::string& text) {
  if (!fitsTimeMask(text)) raise(Err::InvalidPropertyValue);
  MemoryTextBox::setText(text);
}

void MemoryCheckBox::setValue(CheckState value) {
  if (value < CheckState::Unchecked || value > CheckState::Grayed) {
    raise(Err::InvalidPropertyValue);
  }
  if (value == value_) return;
  value_ = value;
  fire(onClick);
}

void OptionGroup::selected(MemoryOptionButton& option) {
  for (MemoryOptionButton* member : members_) {
    if (member != &option) member->value_ = false;
  }
}

MemoryOptionButton::MemoryOptionButton(OptionGroup& group, bool value)
    : group_(group), value_(value) {
  group_.add(*this);
}

void MemoryOptionButton::setValue(bool selected) {
  if (!selected) {
    value_ = false;
    return;
  }
  if (value_) return;
  value_ = true;
  group_.selected(*this);
  fire(onClick);
}

bool sortsBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return asciiLower(x) < asciiLower(y); });
}

std::string sortKey(const std::string& text) {
  std::string key(text);
  for (char& c : key) c = static_cast<char>(asciiLower(c));
  return key;
}

std::string MemoryListBox::item(std::size_t index) const {
  if (index >= items_.size()) raise(Err::InvalidProcedureCall);
  return items_[index].text;
}

void MemoryListBox::addItem(const std::string& item) {
  if (!sorted_) {
    items_.push_back({item});
    return;
  }
  // A new item goes after every item that does not sort after it.
  auto at = std::upper_bound(
      items_.begin(), items_.end(), item,
      [](const std::string& value, const Entry& entry) { return sortsBefore(value, entry.text); });
  items_.insert(at, {item});
}

void MemoryListBox::addItems(const std::vector<std::string>& items) {
  std::vector<Entry> batch;
  batch.reserve(items.size());
  for (const std::string& item : items) batch.push_back({item});
  if (!sorted_) {
    items_.insert(items_.end(), std::make_move_iterator(batch.begin()),
                  std::make_move_iterator(batch.end()));
    return;
  }
  // Equal items keep the order they were added in: the batch's own order, after the
  // items already present.
  const auto before = [](const Entry& a, const Entry& b) { return sortsBefore(a.text, b.text); };
  if (!std::is_sorted(batch.begin(), batch.end(), before)) {
    std::stable_sort(batch.begin(), batch.end(), before);
  }
  std::vector<Entry> merged;
  merged.reserve(items_.size() + batch.size());
  std::merge(std::make_move_iterator(items_.begin()), std::make_move_iterator(items_.end()),
             std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()),
             std::back_inserter(merged), before);
  items_ = std::move(merged);
}

void MemoryListBox::removeItem(std::size_t index) {
  if (index >= items_.size()) raise(Err::InvalidProcedureCall);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void MemoryListBox::clear() { items_.clear(); }

bool MemoryListBox::selected(std::size_t index) const {
  if (index >= items_.size()) raise(Err::InvalidProcedureCall);
  return items_[index].selected;
}

void MemoryListBox::setSelected(std::size_t index, bool selected) {
  if (index >= items_.size()) raise(Err::InvalidProcedureCall);
  items_[index].selected = selected;
}

void MemoryComboBox::setText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  fire(onChange);
}

std::string MemoryComboBox::item(std::size_t index) const {
  if (index >= items_.size()) raise(Err::InvalidProcedureCall);
  return items_[index];
}

}  // namespace ferrowick::runtime

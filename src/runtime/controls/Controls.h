#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ferrowick::runtime {

// The controls of a window as the program's code sees them. Setting a value from code
// runs the control's handler at once, nested, exactly as a user's edit would:
// - a text box's change handler on every change of its text;
// - a combo box's change handler when its text changes;
// - a check box's click handler on every change of its value;
// - an option button's click handler only when it becomes selected.

using Handler = std::function<void()>;

class Label {
 public:
  virtual ~Label() = default;
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& caption) = 0;
};

class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual std::string text() const = 0;
  // May raise a run-time error when the control rejects the text (a masked field).
  virtual void setText(const std::string& text) = 0;
  virtual void setFocus() = 0;
};

enum class CheckState { Unchecked, Checked, Grayed };

class CheckBox {
 public:
  virtual ~CheckBox() = default;
  virtual CheckState value() const = 0;
  virtual void setValue(CheckState value) = 0;
  virtual void setCaption(const std::string& caption) = 0;
};

class OptionButton {
 public:
  virtual ~OptionButton() = default;
  virtual bool value() const = 0;
  // Selecting clears the other options of the group; clearing from code runs no handler.
  virtual void setValue(bool selected) = 0;
  virtual void setCaption(const std::string& caption) = 0;
};

class ListBox {
 public:
  virtual ~ListBox() = default;
  virtual std::size_t count() const = 0;
  virtual std::string item(std::size_t index) const = 0;
  // A sorted list places the item in its case-insensitive order.
  virtual void addItem(const std::string& item) = 0;
  // Adds the items as addItem would one after another, with the same result, in one
  // step: a sorted list merges them in O(n log n) however many there are.
  virtual void addItems(const std::vector<std::string>& items) = 0;
  virtual void removeItem(std::size_t index) = 0;
  virtual void clear() = 0;
  virtual bool selected(std::size_t index) const = 0;
  virtual void setSelected(std::size_t index, bool selected) = 0;
};

class ComboBox {
 public:
  virtual ~ComboBox() = default;
  virtual std::string text() const = 0;
  virtual void setText(const std::string& text) = 0;
  virtual void addItem(const std::string& item) = 0;
  virtual std::size_t count() const = 0;
  virtual std::string item(std::size_t index) const = 0;
};

// The hidden holder of one current folder (the folder list box).
class FolderList {
 public:
  virtual ~FolderList() = default;
  virtual std::string path() const = 0;
  virtual void setPath(const std::string& path) = 0;
};

// One page of the five-page container: a title and a visibility flag.
class Page {
 public:
  virtual ~Page() = default;
  virtual bool visible() const = 0;
  virtual void setVisible(bool visible) = 0;
  virtual std::string title() const = 0;
  virtual void setTitle(const std::string& title) = 0;
};

class Window {
 public:
  virtual ~Window() = default;
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& caption) = 0;
  // Repaints at once.
  virtual void refresh() = 0;
};

}  // namespace ferrowick::runtime

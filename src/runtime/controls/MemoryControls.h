#pragma once

#include <string>
#include <vector>

#include "runtime/controls/Controls.h"

namespace ferrowick::runtime {

// In-memory controls with the toolkit's event rules, for the engine's tests and for
// running the engine without a screen. Handlers are plain members: whoever owns the
// control wires them.

class MemoryLabel : public Label {
 public:
  std::string caption() const override { return caption_; }
  void setCaption(const std::string& caption) override { caption_ = caption; }

 private:
  std::string caption_;
};

class MemoryTextBox : public TextBox {
 public:
  explicit MemoryTextBox(std::string text = {}) : text_(std::move(text)) {}
  std::string text() const override { return text_; }
  void setText(const std::string& text) override;
  void setFocus() override { ++focusCount; }

  Handler onChange;
  int focusCount = 0;

 protected:
  std::string text_;
};

// The "##:##" field with "_" as its prompt: reads "__:__" while empty.
class MemoryMaskedEdit : public MemoryTextBox {
 public:
  MemoryMaskedEdit() : MemoryTextBox("__:__") {}
  // Raises 380 for a text that does not fit the mask.
  void setText(const std::string& text) override;
};

class MemoryCheckBox : public CheckBox {
 public:
  explicit MemoryCheckBox(CheckState value = CheckState::Unchecked) : value_(value) {}
  CheckState value() const override { return value_; }
  void setValue(CheckState value) override;
  void setCaption(const std::string& caption) override { caption_ = caption; }
  const std::string& caption() const { return caption_; }

  Handler onClick;

 private:
  CheckState value_;
  std::string caption_;
};

class MemoryOptionButton;

// Options in one container form a group: selecting one clears the others.
class OptionGroup {
 public:
  void add(MemoryOptionButton& option) { members_.push_back(&option); }
  void selected(MemoryOptionButton& option);

 private:
  std::vector<MemoryOptionButton*> members_;
};

class MemoryOptionButton : public OptionButton {
 public:
  explicit MemoryOptionButton(OptionGroup& group, bool value = false);
  bool value() const override { return value_; }
  void setValue(bool selected) override;
  void setCaption(const std::string& caption) override { caption_ = caption; }

  Handler onClick;

 private:
  friend class OptionGroup;
  OptionGroup& group_;
  bool value_;
  std::string caption_;
};

class MemoryListBox : public ListBox {
 public:
  explicit MemoryListBox(bool sorted = false) : sorted_(sorted) {}
  std::size_t count() const override { return items_.size(); }
  std::string item(std::size_t index) const override;
  void addItem(const std::string& item) override;
  void addItems(const std::vector<std::string>& items) override;
  void removeItem(std::size_t index) override;
  void clear() override;
  bool selected(std::size_t index) const override;
  void setSelected(std::size_t index, bool selected) override;

 private:
  struct Entry {
    std::string text;
    bool selected = false;
  };
  bool sorted_;
  std::vector<Entry> items_;
};

class MemoryComboBox : public ComboBox {
 public:
  std::string text() const override { return text_; }
  void setText(const std::string& text) override;
  void addItem(const std::string& item) override { items_.push_back(item); }
  std::size_t count() const override { return items_.size(); }
  std::string item(std::size_t index) const override;

  Handler onChange;

 private:
  std::string text_;
  std::vector<std::string> items_;
};

class MemoryFolderList : public FolderList {
 public:
  std::string path() const override { return path_; }
  void setPath(const std::string& path) override { path_ = path; }

 private:
  std::string path_;
};

class MemoryPage : public Page {
 public:
  explicit MemoryPage(bool visible = false) : visible_(visible) {}
  bool visible() const override { return visible_; }
  void setVisible(bool visible) override { visible_ = visible; }
  std::string title() const override { return title_; }
  void setTitle(const std::string& title) override { title_ = title; }

 private:
  bool visible_;
  std::string title_;
};

class MemoryWindow : public Window {
 public:
  std::string caption() const override { return caption_; }
  void setCaption(const std::string& caption) override { caption_ = caption; }
  void refresh() override { ++refreshCount; }

  int refreshCount = 0;

 private:
  std::string caption_;
};

// Whether a text fits the "##:##" time field with "_" as its prompt character.
bool fitsTimeMask(const std::string& text);

// Case-insensitive order of a sorted list box: ASCII letters fold to lower case, every
// other byte stands as it is.
bool sortsBefore(const std::string& a, const std::string& b);
// The text folded so that plain byte order is the order of sortsBefore.
std::string sortKey(const std::string& text);

}  // namespace ferrowick::runtime

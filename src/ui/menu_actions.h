#pragma once
// The actions of a window's own menu bar, kept by command id so that the
// window can set their check marks and tests can trigger them.
#include <QAction>
#include <QMenu>
#include <QObject>
#include <QString>
#include <map>

namespace vosk::ui {

class MenuActions {
 public:
  // Adds `text` (UTF-8) to `menu` under `id`; triggering it calls `slot` in
  // the context of `owner`.
  template <typename Slot>
  QAction* add(QMenu* menu, int id, const char* text, QObject* owner, Slot slot) {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    QObject::connect(action, &QAction::triggered, owner, slot);
    actions_[id] = action;
    return action;
  }

  // The action of `id`, nullptr when the menu has none.
  QAction* find(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
  }

 private:
  std::map<int, QAction*> actions_;
};

}  // namespace vosk::ui

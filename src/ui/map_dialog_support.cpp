#include "ui/map_dialog_support.h"

#include <climits>


namespace vosk::ui {

QSpinBox* number_field(QWidget* parent, const char* suffix) {
  auto* field = new QSpinBox(parent);
  field->setRange(INT_MIN, INT_MAX);
  field->setAccelerated(true);
  if (suffix) field->setSuffix(QString::fromUtf8(suffix));
  return field;
}

QComboBox* choice_list(QWidget* parent, const QString& none_text,
                       const std::vector<map::Choice>& choices, int value) {
  auto* list = new QComboBox(parent);
  if (!none_text.isEmpty()) list->addItem(none_text, 0);
  for (const map::Choice& choice : choices)
    list->addItem(QString::fromStdString(choice.text), choice.value);
  const int index = list->findData(value);
  list->setCurrentIndex(index >= 0 ? index : 0);
  return list;
}

int chosen_value(const QComboBox& list) {
  return list.currentIndex() >= 0 ? list.currentData().toInt() : 0;
}

void tell_error(Prompt& prompt, const map::EditError& error) {
  prompt.tell(error.caption, error.text);
}

}  // namespace vosk::ui

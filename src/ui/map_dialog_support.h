#pragma once
// Small pieces the map property dialogs share, on top of dialog_support.h:
// texts picked by a flag, number fields that let any value through to the
// model's checks, choice lists of records, and telling a refusal.
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>
#include <string>
#include <vector>

#include "base/prompt.h"
#include "ui/dialog_support.h"
#include "map/edit_error.h"
#include "map/property_choices.h"

namespace vosk::ui {

// A whole-number field without limits of its own: the model's checks refuse
// what it cannot store, with their own messages.
QSpinBox* number_field(QWidget* parent, const char* suffix = nullptr);

// A choice list: an optional first entry for 0 ("none"), then the choices,
// each with its record number as data; `value` is selected (the first entry
// when it is not offered).
QComboBox* choice_list(QWidget* parent, const QString& none_text,
                       const std::vector<map::Choice>& choices, int value);
int chosen_value(const QComboBox& list);

// Shows a refusal as the model worded it.
void tell_error(Prompt& prompt, const map::EditError& error);

}  // namespace vosk::ui

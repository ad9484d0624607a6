#include "app/document/consist_document.h"

#include <utility>

#include "app/common/qt_text.h"
#include "app/common/user_messages.h"
#include "app/document/consist_folder_watch.h"
#include "app/document/consist_history.h"

namespace rakewright {

namespace {

const QString kLimitWarning = QStringLiteral("Нельзя добавлять больше 100 вагонов!");
const QString kBlankWarning =
    QStringLiteral("Нельзя использовать пробел в названии файла! Переименуйте!!!!");
// The consist file's name as the error for an unwritable character names it.
const QString kConsistFileField = QStringLiteral("Файл состава");
const QString kSaveQuestion = QStringLiteral("Сохранить изменения в составе?");

}  // namespace

ConsistDocument::ConsistDocument(Anchors anchors, UserMessages& messages, QObject* parent)
    : QObject(parent),
      anchors_(std::move(anchors)),
      messages_(messages),
      base_(anchors_.programFolder),
      model_(base_) {
  history_ = new ConsistHistory([this](const ConsistModel::State& state) { restore(state); }, this);
  folderWatch_ = new ConsistFolderWatch(anchors_.dataRoot, this);
  markSaved();
}

ConsistDocument::~ConsistDocument() = default;

QUndoStack& ConsistDocument::history() const {
  return history_->stack();
}

void ConsistDocument::setFileName(const QString& name) {
  if (name == fileName_) {
    return;
  }
  fileName_ = name;
  emit fileNameChanged(fileName_);
}

bool ConsistDocument::hasUnsavedChanges() const {
  return consistFileText(model_) != savedText_;
}

void ConsistDocument::markSaved() {
  savedText_ = consistFileText(model_);
}

bool ConsistDocument::mayClose() {
  if (!hasUnsavedChanges()) {
    return true;
  }
  switch (messages_.askToSave(kSaveQuestion)) {
    case UserMessages::SaveAnswer::Save: {
      bool written = false;
      guarded(messages_, [&] { written = save(); });
      return written;
    }
    case UserMessages::SaveAnswer::Discard:
      return true;
    case UserMessages::SaveAnswer::Cancel:
      break;
  }
  return false;
}

template <typename Change>
void ConsistDocument::recorded(const QString& text, Change&& change) {
  ConsistModel::State before = model_.state();
  const auto record = [&] {
    const bool differs = !(before == model_.state());
    history_->record(text, std::move(before), model_.state());
    if (differs) {
      emit edited();
    }
  };
  try {
    change();
  } catch (...) {
    record();
    throw;
  }
  record();
}

ConsistDocument::Outcome ConsistDocument::edit(const QString& text, const Edit& edit) {
  Outcome outcome = Outcome::EmptyName;
  recorded(text, [&] {
    outcome = edit(model_);
    if (outcome == Outcome::LimitReached) {
      messages_.warning(kLimitWarning);
    } else if (outcome == Outcome::Added) {
      emit changed();
    }
  });
  return outcome;
}

ConsistDocument::Outcome ConsistDocument::add(const WagonChoice& wagon) {
  return edit(QStringLiteral("Добавление вагона"),
              [&](ConsistModel& model) { return model.add(wagon); });
}

ConsistDocument::Outcome ConsistDocument::addIfComplete(const WagonChoice& wagon) {
  return edit(QStringLiteral("Добавление вагона"), [&](ConsistModel& model) {
    return model.addIfComplete(wagon).value_or(Outcome::EmptyName);
  });
}

ConsistDocument::Outcome ConsistDocument::insert(int index, const WagonChoice& wagon) {
  return edit(QStringLiteral("Вставка вагона"),
              [&](ConsistModel& model) { return model.insertAt(index, wagon); });
}

ConsistDocument::Outcome ConsistDocument::copy(int from, int to) {
  return edit(QStringLiteral("Копирование вагона"),
              [&](ConsistModel& model) { return model.copy(from, to); });
}

void ConsistDocument::move(int from, int to) {
  const int count = model_.wagonCount();
  if (from == to || from < 0 || from >= count || to < 0 || to >= count) {
    return;
  }
  edit(QStringLiteral("Перемещение вагона"), [&](ConsistModel& model) {
    model.move(from, to);
    return Outcome::Added;
  });
}

void ConsistDocument::remove(int index) {
  recorded(QStringLiteral("Удаление вагона"), [&] {
    const ConsistModel::Removed removed = model_.removeAt(index);
    emit wagonRemoved(removed);
    emit changed();
  });
}

void ConsistDocument::removeLast() {
  if (model_.wagonCount() > 0) {
    remove(model_.wagonCount() - 1);
  }
}

void ConsistDocument::clear() {
  recorded(QStringLiteral("Очистка состава"), [&] {
    model_.clear();
    emit changed();
  });
}

bool ConsistDocument::save() {
  const std::string typed = inputText(fileName_, kConsistFileField);
  const SaveResult result = saveConsist(anchors_.dataRoot, typed, model_);
  switch (result.outcome) {
    case SaveResult::Outcome::Ignored:
      return false;
    case SaveResult::Outcome::BlankRefused:
      setFileName(fromCp1251(result.name));
      messages_.warning(kBlankWarning);
      return false;
    case SaveResult::Outcome::Saved:
      markSaved();
      setFileName(fromCp1251(result.name));
      emit saved(displayText(result.name));
      return true;
  }
  return false;
}

void ConsistDocument::load() {
  const std::string typed = inputText(fileName_, kConsistFileField);
  recorded(QStringLiteral("Загрузка состава"), [&] {
    const LoadResult result = loadConsist(anchors_.dataRoot, typed, model_);
    markSaved();
    emit loaded(result);
    // Told before the strip is drawn, so that a failing redraw cannot hide that the file was
    // cut short.
    if (result.limitReached) {
      messages_.warning(kLimitWarning);
    }
    emit changed();
  });
}

void ConsistDocument::restore(const ConsistModel::State& state) {
  model_.restore(state);
  emit changed();
}

void ConsistDocument::undo() {
  history_->undo();
}

void ConsistDocument::redo() {
  history_->redo();
}

void ConsistDocument::page(PageStep step) {
  if (const std::optional<int> pageStart =
          pagedStart(step, model_.pageStart(), model_.wagonCount())) {
    model_.setPageStart(*pageStart);
    emit paged();
  }
}

void ConsistDocument::showPosition(int position) {
  if (const std::optional<int> pageStart =
          pageStartShowing(position, model_.pageStart(), model_.wagonCount())) {
    model_.setPageStart(*pageStart);
    emit paged();
  }
}

}  // namespace rakewright

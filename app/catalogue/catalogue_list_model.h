// CatalogueListModel, what one catalogue list shows: rows over the entries of a catalogue kept as
// Windows-1251 bytes, converted to text only for the rows that are painted. Nothing is copied per
// row; a row is a position in the catalogue.
//
// A list holds its members (every entry of the catalogue, or those a category filter kept, in
// catalogue order), and shows all of them or, while a search narrows the list, those of them that
// hold the typed text. Both are vectors of catalogue positions; replacing either resets the model.
#pragma once

#include <QAbstractListModel>

#include <cstddef>
#include <optional>
#include <vector>

#include "reference/catalogue.h"

namespace rakewright {

class CatalogueListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  // Ascending catalogue positions; nullopt stands for every entry, in order.
  using Entries = std::optional<std::vector<std::size_t>>;

  // `catalogue` must outlive the model; call catalogueReplaced() after it changed.
  CatalogueListModel(const Catalogue& catalogue, QObject* parent);

  // Every entry of the catalogue becomes a member, and all of them are shown.
  void catalogueReplaced();
  // The members, all shown.
  void setMembers(Entries members);
  const Entries& members() const { return members_; }
  // Shows `shown`, which are members, or every member (nullopt).
  void setShown(Entries shown);

  // The catalogue position of the entry in `row`, which must be a row of the model.
  std::size_t entryAt(int row) const;
  // The row showing the entry at catalogue position `entry`, if one does.
  std::optional<int> rowOf(std::size_t entry) const;

  // The list view asks for the index of every row each time it lays out its rows: answered
  // without the generic checks, which cost a million virtual calls on a large catalogue.
  QModelIndex index(int row, int column = 0,
                    const QModelIndex& parent = QModelIndex()) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  // What the rows show: shown_ while a search narrows the list, else the members.
  const Entries& rows() const { return shown_ ? shown_ : members_; }

  const Catalogue& catalogue_;
  Entries members_;
  Entries shown_;
};

}  // namespace rakewright

// What selecting a catalogue entry offers, and which entries a category filter keeps: the
// catalogue side's questions to the reference data, asked by the catalogue panes.
//
// A selection (CatalogueSelection) is a value: the rolling-stock name, its length and weight with
// where they came from (offeredFigures), the picture that goes with the wagon into the strip, and
// the preview picture, the first of its chain that loads (offeredPictures). Selecting an entry and
// dragging it out of its list give the same value; adding it takes choice().
#pragma once

#include <QImage>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "consist/consist_model.h"
#include "reference/catalogue.h"
#include "reference/offered_figures.h"

class QWidget;

namespace rakewright {

class RollingStockBase;

struct CatalogueSelection {
  std::string name;    // for NameEdit
  std::string length;  // for LengthEdit: the base's length or the guess
  std::string weight;  // for Edit1
  // The picture that goes with the wagon into the strip when it is added ("" for none).
  std::string wagonPicture;
  FigureSource lengthSource = FigureSource::Base;
  FigureSource weightSource = FigureSource::Base;
  // The picture for PreviewImage; nullopt when none could be loaded (the preview keeps its own).
  std::optional<QImage> preview;
  // Neither of the entry's own pictures could be loaded (the no-preview picture stands in).
  bool previewMissing = false;

  bool lengthGuessed() const { return lengthSource == FigureSource::Guess; }
  // The wagon as adding it would take it.
  WagonChoice choice() const {
    return {name, length, weight, wagonPicture, lengthSource, weightSource};
  }
};

class CatalogueLookup {
 public:
  // Lookups go to `base`; pictures are found below `dataRoot` and decoded for the size of
  // `preview`, the box that shows them. `base` and `preview` must outlive the lookup.
  CatalogueLookup(RollingStockBase& base, std::string dataRoot, const QWidget& preview);

  // What selecting the entry `name` of a catalogue of `side` offers, with the base as it is now.
  CatalogueSelection select(std::string name, CatalogueSide side) const;

  // The entries of `catalogue` that the filter keyword keeps (a length section of the base on the
  // traffic side, kPassWags or kFreightWags on the folder side), in catalogue order.
  std::vector<std::size_t> category(const Catalogue& catalogue, std::string_view keyword) const;

 private:
  std::optional<QImage> picture(std::string_view path) const;

  RollingStockBase& base_;
  std::string dataRoot_;
  const QWidget& preview_;
};

}  // namespace rakewright

#include "app/catalogue/catalogue_lookup.h"

#include <QWidget>

#include "app/pictures/picture_loader.h"
#include "reference/catalogue_filters.h"
#include "reference/offered_pictures.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {

CatalogueLookup::CatalogueLookup(RollingStockBase& base, std::string dataRoot,
                                 const QWidget& preview)
    : base_(base), dataRoot_(std::move(dataRoot)), preview_(preview) {}

std::optional<QImage> CatalogueLookup::picture(std::string_view path) const {
  try {
    return loadPicture(dataRoot_, path, preview_.size() * preview_.devicePixelRatioF());
  } catch (const PictureError&) {
    return std::nullopt;
  }
}

CatalogueSelection CatalogueLookup::select(std::string name, CatalogueSide side) const {
  CatalogueSelection selection;
  OfferedFigures offered = offeredFigures(base_.open(), name, side);
  selection.length = std::move(offered.length);
  selection.weight = std::move(offered.weight);
  selection.lengthSource = offered.lengthSource;
  selection.weightSource = offered.weightSource;

  selection.previewMissing = true;
  for (OfferedPicture& offeredPicture : offeredPictures(name, side)) {
    selection.preview = picture(offeredPicture.path);
    if (selection.preview) {
      selection.previewMissing = !offeredPicture.ownPicture;
      if (offeredPicture.goesWithWagon) {
        selection.wagonPicture = std::move(offeredPicture.path);
      }
      break;
    }
  }
  selection.name = std::move(name);
  return selection;
}

std::vector<std::size_t> CatalogueLookup::category(const Catalogue& catalogue,
                                                   std::string_view keyword) const {
  return isFolderKeyword(keyword) ? folderCategory(catalogue, keyword)
                                  : trafficCategory(catalogue, keyword, base_);
}

}  // namespace rakewright

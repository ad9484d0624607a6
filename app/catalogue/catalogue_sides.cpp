#include "app/catalogue/catalogue_sides.h"

#include "app/catalogue/drag_payloads.h"
#include "reference/catalogue_filters.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {

namespace {

QString listTip(const QString& what) {
  return what + QStringLiteral(
                    "\nДвойной щелчок или Enter — добавить в состав.\n"
                    "Перетащите на ленту состава, чтобы вставить в нужное место.\n"
                    "Ctrl+F или просто начните печатать — поиск в списке.");
}

}  // namespace

CataloguePane::Description trafficSide() {
  CataloguePane::Description side;
  side.side = CatalogueSide::Traffic;
  side.name = "TrafficPane";
  side.captionName = "Label7";
  side.captionAt = {8, 2};
  side.caption = QStringLiteral("Фильтр ПС из файла traffic.ref");
  side.filterBoxName = "ComboBox1";
  side.filterBoxPlace = {8, 16, 266, 21};
  side.filterEntries = {QStringLiteral("Весь подвижной состав"),
                        QStringLiteral("Пассажирские вагоны"),
                        QStringLiteral("Грузовые вагоны"),
                        QStringLiteral("Локомотивы"),
                        QStringLiteral("МВПС"),
                        QStringLiteral("Спец. техника и восстановительный поезд")};
  side.keywords = {sections::kPass, sections::kFreight, sections::kLocos, sections::kMvps,
                   sections::kSpec};
  side.filterTip = QStringLiteral(
      "Фильтр подвижного состава из traffic.ref по категориям.\n"
      "Ctrl+F — поиск в списке.");
  side.filterAccessibleName = QStringLiteral("Фильтр подвижного состава из traffic.ref");
  side.fullListName = "ListBox1";
  side.fullListPlace = {8, 44, 266, 311};
  side.fullListAccessibleName = QStringLiteral("Подвижной состав из traffic.ref");
  side.filteredListName = "ListBox2";
  side.filteredListPlace = {8, 44, 266, 311};
  side.filteredListAccessibleName = QStringLiteral("Подвижной состав из traffic.ref по фильтру");
  side.listTip = listTip(QStringLiteral("Подвижной состав из traffic.ref."));
  side.searchName = "TrafficSearch";
  side.searchAccessibleName = QStringLiteral("Поиск в подвижном составе из traffic.ref");
  side.dragSide = drag::kTrafficSide;
  side.noticesGuessedLength = true;
  return side;
}

CataloguePane::Description folderSide() {
  CataloguePane::Description side;
  side.side = CatalogueSide::Folder;
  side.name = "FolderPane";
  side.captionName = "Label10";
  side.captionAt = {748, 0};
  side.caption = QStringLiteral("Фильтр ПС из папок: Pass_wags и Freight_wags");
  side.filterBoxName = "ComboBox2";
  side.filterBoxPlace = {748, 16, 266, 21};
  side.filterEntries = {QStringLiteral("Все вагоны из папок"),
                        QStringLiteral("Вагоны из папки: Pass_wags"),
                        QStringLiteral("Вагоны из папки: Freight_wags")};
  side.keywords = {filters::kPassWags, filters::kFreightWags};
  side.filterTip = QStringLiteral(
      "Фильтр вагонов из папок Pass_wags и Freight_wags.\n"
      "Ctrl+F — поиск в списке.");
  side.filterAccessibleName = QStringLiteral("Фильтр вагонов из папок");
  side.fullListName = "ListBox3";
  side.fullListPlace = {748, 43, 266, 313};
  side.fullListAccessibleName = QStringLiteral("Вагоны из папок");
  side.filteredListName = "ListBox4";
  side.filteredListPlace = {748, 43, 266, 314};
  side.filteredListAccessibleName = QStringLiteral("Вагоны из папок по фильтру");
  side.listTip = listTip(QStringLiteral("Вагоны из папок Pass_wags и Freight_wags."));
  side.searchName = "FolderSearch";
  side.searchAccessibleName = QStringLiteral("Поиск в вагонах из папок");
  side.dragSide = drag::kFolderSide;
  side.noticesMissingPreview = true;
  return side;
}

}  // namespace rakewright

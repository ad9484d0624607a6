#include "sample_world.h"

namespace sample {
namespace {

using S = Section;

Look look(Shape shape, QColor body, QColor accent) {
  return Look{shape, body, accent};
}

// A traffic-list entry.
Stock listed(std::string name, int speed, std::vector<std::pair<Section, std::string>> lengths,
             std::string weight, std::string axles, std::optional<Look> preview = std::nullopt) {
  Stock stock;
  stock.name = std::move(name);
  stock.traffic = true;
  stock.speed = speed;
  stock.lengths = std::move(lengths);
  stock.weight = std::move(weight);
  stock.axles = std::move(axles);
  stock.preview = std::move(preview);
  return stock;
}

// A name that only the base (and perhaps a preview picture) knows: a folder-catalogue name.
Stock unlisted(std::string name, std::vector<std::pair<Section, std::string>> lengths,
               std::string weight, std::string axles, std::optional<Look> preview = std::nullopt) {
  Stock stock = listed(std::move(name), 0, std::move(lengths), std::move(weight), std::move(axles),
                       std::move(preview));
  stock.traffic = false;
  return stock;
}

FolderFile file(std::string name) {
  return FolderFile{std::move(name), std::nullopt};
}
FolderFile bitmap(std::string name, Look look) {
  return FolderFile{std::move(name), look};
}

const QColor kCream(245, 225, 170);
const QColor kYellow(240, 200, 60);
const QColor kWhite(235, 235, 235);

}  // namespace

std::vector<Stock> rollingStock() {
  std::vector<Stock> stock = {
      // Locomotives
      listed("VL80s", 110, {{S::Locos, "32.8"}}, "184", "8",
             look(Shape::TwinElectricLoco, QColor(150, 38, 38), kCream)),
      listed("VL10u", 100, {{S::Locos, "33"}}, "200", "8"),
      listed("ЧС2", 160, {{S::Locos, "18.92"}}, "126", "6",
             look(Shape::ElectricLoco, QColor(40, 95, 160), kYellow)),
      listed("ЧС4т", 160, {{S::Locos, "19.98"}}, "126", "6"),
      listed("2ТЭ10м", 100, {{S::Locos, "34"}}, "276", "12",
             look(Shape::TwinDieselLoco, QColor(46, 125, 80), kYellow)),
      listed("ТЭП70", 160, {{S::Locos, "21.7"}}, "129", "6",
             look(Shape::DieselLoco, QColor(170, 50, 45), QColor(200, 200, 205))),
      listed("M62", 100, {{S::Locos, "17.55"}}, "116.5", "6"),
      listed("ТЭМ2", 100, {{S::Locos, "16.97"}}, "120", "6",
             look(Shape::Shunter, QColor(230, 130, 40), QColor(250, 215, 60))),
      listed("ChME3", 95, {{S::Locos, "17.22"}}, "123", "6"),
      // Multiple units
      listed("ЭР2_head", 130, {{S::Mvps, "19.6"}}, "41", "4",
             look(Shape::EmuHead, QColor(60, 130, 70), kYellow)),
      listed("ЭР2_motor", 130, {{S::Mvps, "19.6"}}, "55", "4",
             look(Shape::EmuCar, QColor(60, 130, 70), QColor(200, 60, 50))),
      listed("ED4m_head", 120, {{S::Mvps, "21.5"}}, "60", "4"),
      listed("ED4m_trailer", 120, {{S::Mvps, "21.5"}}, "43", "4"),
      // Passenger cars
      listed("cup_wag_blue", 160, {{S::Pass, "24.5"}}, "58.5", "4",
             look(Shape::Coach, QColor(40, 90, 150), kCream)),
      listed("cup_wag_red", 160, {{S::Pass, "24.5"}}, "58.5", "4",
             look(Shape::Coach, QColor(160, 40, 45), QColor(230, 230, 230))),
      listed("plac_wag_green", 140, {{S::Pass, "24.5"}}, "56", "4",
             look(Shape::Coach, QColor(45, 110, 70), QColor(235, 200, 90))),
      listed("plac_wag_blue", 140, {{S::Pass, "24.5"}}, "56", "4"),
      listed("bagaz_wag", 140, {{S::Pass, "24.5"}}, "52", "4",
             look(Shape::BaggageCar, QColor(70, 85, 60), QColor(210, 170, 70))),
      listed("restoran_wag", 160, {{S::Pass, "24.5"}}, "60", "4"),
      listed("post_wag", 140, {{S::Pass, "24.5"}}, "54.5", "4"),
      listed("Пассажирский_купейный", 160, {{S::Pass, "25.5"}}, "59", "4",
             look(Shape::Coach, QColor(120, 70, 45), QColor(235, 210, 150))),
      // Freight cars
      listed("box_wagon_2", 100, {{S::Freight, "14.73"}}, "24", "4",
             look(Shape::BoxCar, QColor(125, 65, 45), kWhite)),
      listed("box_wagon_4", 100, {{S::Freight, "17.49"}}, "27", "4"),
      listed("tank_4axle", 100, {{S::Freight, "12.02"}}, "24.5", "4",
             look(Shape::TankCar, QColor(40, 40, 45), QColor(230, 120, 40))),
      listed("tank_8axle", 90, {{S::Freight, "21.12"}}, "48.8", "8"),
      listed("gon_coal", 90, {{S::Freight, "13.92"}}, "91", "4",
             look(Shape::Gondola, QColor(95, 100, 70), QColor(25, 25, 28))),
      listed("gon_ore", 90, {{S::Freight, "13.92"}}, "93", "4"),
      listed("flat_12", 100, {{S::Freight, "14.62"}}, "21", "4",
             look(Shape::FlatContainer, QColor(30, 110, 170), QColor(200, 80, 40))),
      listed("hopper_cement", 90, {{S::Freight, "12.02"}}, "22.5", "4"),
      listed("Хоппер_зерновоз", 90, {{S::Freight, "14.72"}}, "92", "4",
             look(Shape::Hopper, QColor(215, 175, 80), QColor(150, 60, 40))),
      listed("Цистерна_нефть", 90, {{S::Freight, "12.02"}}, "82", "4",
             look(Shape::TankCar, QColor(175, 180, 185), QColor(200, 40, 40))),
      // "-1" in one section, a length in another
      listed("avto_pass_1", 120, {{S::Pass, "-1"}, {S::Freight, "24.5"}}, "29", "4",
             look(Shape::CarCarrier, QColor(55, 85, 140), QColor(240, 240, 240))),
      listed("Рефсекция_5ваг", 100, {{S::Pass, "-1"}, {S::Freight, "21"}}, "", ""),
      // Special equipment: only in SPEC
      listed("Кран_ЕДК500", 80, {{S::Special, "16.6"}}, "112", "8",
             look(Shape::Crane, QColor(235, 185, 40), QColor(200, 50, 40))),
      listed("snow_plough_SM2", 70, {{S::Special, "14.5"}}, "70", "4"),
      listed("Путеизмеритель", 120, {{S::Special, "24.5"}}, "60", "4"),
      listed("dynamometer_car", 120, {{S::Pass, "-1"}, {S::Special, "24.5"}}, "57", "4"),
      // Not in the base: the length is guessed from the name, weight 50 and 4 axles
      listed("gon_old_4axle", 80, {}, "", ""),
      listed("TANK_cistern_old", 80, {}, "", ""),
      listed("Дрезина_АГМ", 60, {}, "", ""),
      listed("flat_timber", 90, {}, "", "",
             look(Shape::FlatTimber, QColor(90, 80, 70), QColor(170, 120, 70))),
      // Names of the folder catalogue
      unlisted("Box_Red", {{S::Freight, "13.9"}}, "23", "4",
               look(Shape::BoxCar, QColor(185, 45, 40), QColor(240, 240, 240))),
      unlisted("Tank_Black", {{S::Freight, "12.02"}}, "23.5", "4"),
      unlisted("Gondola_67", {{S::Freight, "13.92"}}, "22.6", "4"),
      unlisted("Platform_40ft", {{S::Freight, "13.6"}}, "20.5", "4",
               look(Shape::FlatContainer, QColor(200, 60, 50), QColor(40, 110, 80))),
      unlisted("Хоппер_минвата", {{S::Freight, "15.1"}}, "23", "4",
               look(Shape::Hopper, QColor(120, 140, 150), QColor(230, 230, 230))),
      unlisted("RedCoach-cup", {{S::Pass, "24.5"}}, "57", "4"),
      unlisted("RedCoach-plac", {{S::Pass, "24.5"}}, "55.5", "4"),
      unlisted("BlueCoach_K-cup", {{S::Pass, "26"}}, "60.5", "4"),
      unlisted("BlueCoach_K-plac", {{S::Pass, "26"}}, "59", "4",
               look(Shape::Coach, QColor(30, 70, 130), QColor(240, 240, 240))),
      unlisted("Зелёный_плацкарт-plac", {{S::Pass, "24.5"}}, "56", "4"),
      unlisted("GreyCoach_old-cup", {}, "", "",
               look(Shape::Coach, QColor(110, 115, 120), QColor(200, 60, 50))),
  };
  // The traffic list has one line of a name alone.
  for (Stock& s : stock) {
    if (s.name == "ТЭМ2") {
      s.bareLine = true;
    }
  }
  return stock;
}

std::vector<WagonFolder> freightFolders() {
  return {
      {"Box_Red", {file("BOX_RED.DMD"), file("box_red.tga"), file("Box_Red.bmp")}},
      {"Tank_Black",
       {file("tank_black.dmd"), file("tank_black.tga"), file("tank_black_dirty.tga"),
        file("tank_black.bmp")}},
      // two models: the index lists only the first
      {"Gondola_67",
       {file("gondola.dmd"), file("gondola_loaded.dmd"), file("gondola.tga"), file("Gondola.BMP")}},
      // the name of a traffic entry in another letter case: left out of the index
      {"Gon_Coal", {file("gon_coal.dmd"), file("gon_coal.tga"), file("gon_coal.bmp")}},
      {"Platform_40ft", {file("platform.dmd"), file("platform.TGA"), file("platform.bmp")}},
      {"Хоппер_минвата", {file("hopper.dmd"), file("hopper.tga"), file("hopper.bmp")}},
      {"Refr_5car", {file("refr.dmd"), file("refr.tga")}},
      // no wagon files at all (only a note, so that the folder exists in a checkout)
      {"Cistern_new", {file("readme.txt")}},
  };
}

std::vector<WagonFolder> passengerFolders() {
  const Look red{Shape::Coach, QColor(160, 40, 45), QColor(230, 230, 230)};
  const Look blue{Shape::Coach, QColor(30, 70, 130), QColor(240, 240, 240)};
  const Look green{Shape::Coach, QColor(45, 110, 70), QColor(235, 200, 90)};
  return {
      {"RedCoach",
       {file("cup_wagon.dmd"), file("cup_wagon.tga"), bitmap("cup_wagon.bmp", red),
        file("cup_wagon_night.bmp"), file("plac_wagon.dmd"), file("plac_wagon.tga"),
        bitmap("plac_wagon.bmp", red), file("plac_wagon_night.bmp")}},
      {"BlueCoach_K",
       {file("Cup_Wagon.dmd"), file("CUP_WAGON.TGA"), bitmap("CUP_WAGON.BMP", blue),
        file("cup_wagon_night.bmp"), file("plac_wagon.dmd"), file("plac_wagon.tga"),
        bitmap("plac_wagon.bmp", blue), file("plac_wagon_night.bmp")}},
      {"Зелёный_плацкарт",
       {file("plac_wagon.dmd"), file("plac_wagon.tga"), bitmap("plac_wagon.bmp", green)}},
      // a bitmap that is no picture: the preview picture stands in
      {"GreyCoach_old",
       {file("cup_wagon.dmd"), file("cup_wagon.tga"), file("cup_wagon.bmp"),
        file("plac_wagon.dmd")}},
      {"NightTrain", {file("cup_wagon_night.bmp")}},
      {"Empty_Coach", {file("readme.txt")}},
  };
}

std::vector<ConsistDefinition> consistFiles() {
  return {
      {"Скорый_ЧС2.con",
       {{1, "ЧС2"},
        {1, "bagaz_wag"},
        {1, "cup_wag_blue"},
        {1, "cup_wag_red"},
        {1, "restoran_wag"},
        {1, "plac_wag_green"},
        {1, "plac_wag_green"},
        {1, "plac_wag_blue"},
        {1, "post_wag"}}},
      {"coal_train.con",
       {{1, "2ТЭ10м"},
        {3, "gon_coal"},
        {3, "Хоппер_зерновоз"},
        {1, "Цистерна_нефть"},
        {1, "Box_Red"},
        {1, "gon_old_4axle"}}},
      {"elektrichka.con",
       {{1, "ЭР2_head"}, {1, "ЭР2_motor"}, {1, "ЭР2_motor"}, {1, "ЭР2_motor"}, {1, "ЭР2_head"}}},
      // An old consist that the consist library marks: a wagon that is no longer installed, a
      // length typed with a comma (a line that cannot be read), a wagon the base does not know.
      {"сборный_старый.con",
       {{1, "VL10u"},
        {2, "gon_ore"},
        {1, "Платформа_ТС9"},
        {1, "Box_Red", "13,9"},
        {2, "flat_timber"},
        {1, "tank_4axle"}}},
  };
}

}  // namespace sample

#pragma once
// Units of the selection inputs: the items of the unit and regulator combo boxes, and the
// conversion of a value typed in a chosen unit into the unit the sizing methods work in.
// Depends on Qt Core and the checked arithmetic only.

#include <QStringList>

namespace units {

// The quantity argument of Translate.
constexpr int kPressure = 1;
constexpr int kHeatLoad = 2;

// Item 0 of each list is the prompt.
const QStringList& pressureUnitItems();   // ComboBox2, ComboBox3
const QStringList& loadUnitItems();       // ComboBox4
const QStringList& resistanceUnitItems(); // ComboBox1
const QStringList& regulatorItems();      // ComboBox5
const QStringList& settingRangeItems();   // ComboBox6

// value in unit `unitIndex` (the combo item index) of `quantity` -> kgf/cm² or Gcal/h.
// Throws MathError on overflow, std::invalid_argument for a pair that is not a unit.
double Translate(int unitIndex, int quantity, double value);

} // namespace units

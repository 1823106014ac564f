// How the sixteen texts of the parameter dialog become the world's integers.
#pragma once

#include <cstdint>

#include "world.h"

constexpr int kParameterFieldCount = 16;

// The dialog's texts in the order of its edits: for each level population, the start life
// ("繁殖度") and the birth chance ("寿命長"), then the four disturbances.
extern const char* const kDefaultParameterTexts[kParameterFieldCount];

// The dialog reads each edit into a buffer of this many bytes, terminator included: a longer
// text counts only as far as its first kFieldTextBytes - 1 bytes.
constexpr int kFieldTextBytes = 200;

// Decimal integer as the standard conversion reads it, saturating at the 32-bit limits.
int32_t parseCount(const char* text);

// Plain decimal number (optional exponent) times kRateScale, rounded to double and truncated
// toward zero, saturating at the 32-bit limits; anything else reads as far as its decimal
// prefix goes.
int32_t parseRate(const char* text);

// Whether field (0 .. kParameterFieldCount - 1) is a level's population, a whole number; the
// others are rates.
bool isPopulationField(int field);

// A population text as the world stores it: parseCount, at most kSlotsPerSpecies.
int32_t parsePopulation(const char* text);

// The number field's text (0 .. kParameterFieldCount - 1) plays as, in the dialog's units: a
// population as stored, a rate as parseRate reads it over kRateScale.
double playedValue(int field, const char* text);

// Stores the sixteen texts into the world as the dialog's OK does. Does not seed.
void storeParameterTexts(World& w, const char* const texts[kParameterFieldCount]);

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "plug/IParamRecord.h"

namespace quivorant {
namespace {

std::string Format(const IParamRecord& p, double x, bool normalized = false) {
  char text[kParamTextCapacity];
  p.FormatValue(x, normalized, text);
  return text;
}

TEST(ParamRecord, SetupRaisesMaxAndDerivesPrecisionFromStep) {
  IParamRecord single;
  single.SetupEnum("Only", 0, 1);
  EXPECT_EQ(single.kind, kParamEnum);
  EXPECT_EQ(single.min, 0.0);
  EXPECT_EQ(single.max, 1.0);  // one entry still spans one step

  IParamRecord hundredths;
  hundredths.SetupDouble("Gain", 0.5, 0.0, 1.0, 0.01, "dB");
  EXPECT_EQ(hundredths.kind, kParamDouble);
  EXPECT_EQ(hundredths.displayPrecision, 2);
  EXPECT_STREQ(hundredths.Label(), "dB");
  EXPECT_EQ(hundredths.value, 0.5);

  IParamRecord tiny;
  tiny.SetupDouble("Tiny", 0, 0, 1, 0.0000001);
  EXPECT_EQ(tiny.displayPrecision, 6);

  // A kind chosen first survives the generic set-up underneath.
  IParamRecord freq;
  freq.SetupInt("Filter Freq", 20, 20, 20000, "Hz");
  EXPECT_EQ(freq.kind, kParamInt);
  EXPECT_EQ(freq.step, 1.0);
  EXPECT_EQ(freq.displayPrecision, 0);

  // Names are cut at 31 characters rather than overrunning the buffer.
  IParamRecord longName;
  longName.SetupInt(std::string(40, 'x').c_str(), 0, 0, 1);
  EXPECT_EQ(std::string(longName.Name()), std::string(31, 'x'));
}

TEST(ParamRecord, ExponentNormalisationAndItsInverse) {
  IParamRecord freq;
  freq.SetupInt("Filter Freq", 20, 20, 20000, "Hz");
  freq.SetExponent(2.0);
  freq.SetFromNormalized(0.5);
  EXPECT_EQ(freq.value, 20 + 19980 * 0.25);
  EXPECT_DOUBLE_EQ(freq.ToNormalized(5015), 0.5);

  freq.SetFromNormalized(1.0);
  EXPECT_EQ(freq.value, 20000.0);
  freq.SetFromNormalized(0.0);
  EXPECT_EQ(freq.value, 20.0);

  EXPECT_EQ(freq.ToNormalized(1e9), 1.0);
  EXPECT_EQ(freq.ToNormalized(-5), 0.0);
  // sqrt((2000 - 20) / 19980)
  EXPECT_DOUBLE_EQ(freq.ToNormalized(2000), std::sqrt(1980.0 / 19980.0));
  EXPECT_DOUBLE_EQ(freq.FromNormalized(0.1), 20 + 19980 * 0.01);

  freq.SetExponent(0.0);
  EXPECT_EQ(freq.exponent, 2.0);
  freq.SetExponent(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(freq.exponent, 2.0);
}

TEST(ParamRecord, IntegerKindsRoundToStepFromZeroDoubleDoesNot) {
  IParamRecord stepped;
  stepped.SetupDouble("S", 0, 1, 11, 2);  // continuous, but steps of 2 from 1
  stepped.kind = kParamInt;
  stepped.SetFromNormalized(0.1);  // 1 + 10 * 0.1 = 2 -> 2 is a multiple of 2 counted from 0
  EXPECT_EQ(stepped.value, 2.0);
  stepped.SetFromNormalized(0.25);  // 3.5 -> floor(1.75 + 0.5) * 2 = 4
  EXPECT_EQ(stepped.value, 4.0);

  IParamRecord cont;
  cont.SetupDouble("C", 0, 0, 10, 1);
  cont.SetFromNormalized(0.33);
  EXPECT_DOUBLE_EQ(cont.value, 3.3);

  // Out-of-range and NaN host values stay inside the range.
  cont.SetFromNormalized(1.7);
  EXPECT_EQ(cont.value, 10.0);
  cont.SetFromNormalized(-0.5);
  EXPECT_EQ(cont.value, 0.0);
  cont.SetFromNormalized(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(cont.value, 0.0);
}

TEST(ParamRecord, CollapsedRangeNormalisesToZeroInsteadOfNaN) {
  IParamRecord flat;
  flat.SetupDouble("Flat", 3, 3, 3, 0);
  EXPECT_EQ(flat.max, 3.0);
  EXPECT_EQ(flat.ToNormalized(3), 0.0);
  flat.kind = kParamInt;  // a zero step must not divide
  flat.SetFromNormalized(0.5);
  EXPECT_EQ(flat.value, 3.0);
}

TEST(ParamRecord, FormatValueRoundingZeroRuleAndNegation) {
  IParamRecord gain;
  gain.SetupDouble("Gain", 0, -10, 10, 0.01);
  EXPECT_EQ(Format(gain, 0.0), "0");
  EXPECT_EQ(Format(gain, -0.0), "0");
  EXPECT_EQ(Format(gain, 0.5), "0.50");
  gain.negateDisplay = true;
  EXPECT_EQ(Format(gain, 0.5), "-0.50");
  EXPECT_EQ(Format(gain, 0.0), "0");  // never "-0"

  IParamRecord whole;
  whole.SetupDouble("Whole", 0, -10, 10, 1);
  EXPECT_EQ(Format(whole, 2.5), "3");
  EXPECT_EQ(Format(whole, -2.5), "-3");
  EXPECT_EQ(Format(whole, 2.49), "2");
  whole.negateDisplay = true;
  EXPECT_EQ(Format(whole, 2.5), "-3");

  // Normalised input: plain = min + range * n^exponent, no step rounding.
  IParamRecord freq;
  freq.SetupInt("Filter Freq", 20, 20, 20000, "Hz");
  freq.SetExponent(2.0);
  EXPECT_EQ(Format(freq, 1.0, true), "20000");
  EXPECT_EQ(Format(freq, 0.5, true), "5015");

  // The buffer is never overrun, whatever the value.
  char small[4];
  gain.FormatValue(123456.0, false, small, sizeof small);
  EXPECT_EQ(std::string(small), "-12");
}

TEST(ParamRecord, FormatIgnoresTheProcessLocale) {
  // Whichever comma-decimal locale this system offers (POSIX or Windows spelling).
  const char* chosen = nullptr;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "German_Germany.1252", "de-DE"}) {
    if ((chosen = std::setlocale(LC_NUMERIC, name)) != nullptr) break;
  }
  IParamRecord gain;
  gain.SetupDouble("Gain", 0, 0, 1, 0.01);
  EXPECT_EQ(Format(gain, 0.25), "0.25");
  EXPECT_DOUBLE_EQ(gain.ParseValueText("0.75"), 0.75);
  std::setlocale(LC_NUMERIC, "C");
  if (!chosen) GTEST_SKIP() << "no comma locale installed; checked in the C locale only";
}

TEST(ParamRecord, DisplayTextsFirstMatchAndFallbacks) {
  IParamRecord type;
  type.SetupEnum("Filter Type", 1, 3);
  type.AddDisplayText(0, "Lowpass");
  type.AddDisplayText(1, "Highpass");
  type.AddDisplayText(1, "Shadowed");
  type.AddDisplayText(2, "");
  EXPECT_EQ(type.DisplayTextCount(), 4);
  EXPECT_STREQ(type.DisplayTextFor(1), "Highpass");
  EXPECT_STREQ(type.DisplayTextFor(7), "");
  EXPECT_EQ(Format(type, 1.0), "Highpass");
  EXPECT_EQ(Format(type, 0.6), "Highpass");  // rounds to 1 first
  EXPECT_EQ(Format(type, 2.0), "2");         // empty text falls back to the number

  int v = -1;
  EXPECT_TRUE(type.ValueForDisplayText("Lowpass", &v));
  EXPECT_EQ(v, 0);
  EXPECT_FALSE(type.ValueForDisplayText("lowpass", &v));  // case matters
  EXPECT_FALSE(type.ValueForDisplayText(nullptr, &v));

  IParamRecord none;
  none.SetupInt("N", 0, 0, 5);
  EXPECT_STREQ(none.DisplayTextFor(0), "");
  EXPECT_FALSE(none.ValueForDisplayText("", &v));
}

TEST(ParamRecord, ParseValueText) {
  IParamRecord type;
  type.SetupEnum("Filter Type", 1, 3);
  type.AddDisplayText(0, "Lowpass");
  type.AddDisplayText(2, "Bandpass");
  EXPECT_EQ(type.ParseValueText("Bandpass"), 2.0);
  EXPECT_EQ(type.ParseValueText("1"), 1.0);

  IParamRecord gain;
  gain.SetupDouble("Gain", 0, -10, 10, 0.1);
  EXPECT_EQ(gain.ParseValueText("  -3.5dB"), -3.5);
  EXPECT_EQ(gain.ParseValueText("+2"), 2.0);
  EXPECT_EQ(gain.ParseValueText("loud"), 0.0);
  EXPECT_EQ(gain.ParseValueText("1e3"), 1000.0);  // not clamped
  EXPECT_EQ(gain.ParseValueText(nullptr), 0.0);
  gain.negateDisplay = true;
  EXPECT_EQ(gain.ParseValueText("4"), -4.0);
}

TEST(ParamRecord, TypedValueIgnoresBlanksAroundNumberAndUnit) {
  IParamRecord freq;
  freq.SetupDouble("Filter Freq", 1000, 20, 20000, 1, "Hz");
  double v = 0.0;
  for (const char* text : {"3 ", " 3", "3 Hz ", "3hz", "  3  "}) {
    v = 0.0;
    EXPECT_TRUE(freq.ReadTypedValue(text, &v)) << '"' << text << '"';
    EXPECT_EQ(v, 3.0) << '"' << text << '"';
  }
  EXPECT_FALSE(freq.ReadTypedValue("3 dB", &v));
  IParamRecord plain;
  plain.SetupDouble("Depth", 0, 0, 1, 0.01);
  EXPECT_TRUE(plain.ReadTypedValue("0.5 ", &v));
  EXPECT_EQ(v, 0.5);
}

}  // namespace
}  // namespace quivorant

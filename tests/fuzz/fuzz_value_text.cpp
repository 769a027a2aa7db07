// Texts typed by a person or sent by a host, turned into parameter values.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plug/IParamRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);  // may hold NULs: stops there
  static quivorant::IParamRecord* records = [] {
    auto* r = new quivorant::IParamRecord[3];
    r[0].SetupEnum("Filter Type", 1, 3);
    r[0].AddDisplayText(0, "Lowpass");
    r[0].AddDisplayText(1, "Highpass");
    r[0].AddDisplayText(2, "Bandpass");
    r[1].SetupInt("Filter Freq", 20, 20, 20000, "Hz");
    r[1].SetExponent(2.0);
    r[2].SetupDouble("Gain", 0.0, -60.0, 12.0, 0.01, "dB");
    return r;
  }();
  for (int i = 0; i < 3; ++i) {
    quivorant::IParamRecord& p = records[i];
    const double v = p.ParseValueText(text.c_str());
    const double n = p.ToNormalized(v);
    p.SetFromNormalized(n);
    if (!(p.value >= p.min && p.value <= p.max)) std::abort();
    char shown[quivorant::kParamTextCapacity];
    p.FormatValue(p.value, false, shown);
    if (std::char_traits<char>::length(shown) >= sizeof shown) std::abort();
  }
  return 0;
}

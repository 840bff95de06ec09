// The colour wash box "VYDCOLORWASH": the order of the fitted polynomial (0..5) and the noise allowance in
// percent (0..50).
#include "app/dialog_fields.h"
#include "app/dialog_first_row.h"
#include "app/dialogs.h"
#include "util/text_format.h"

namespace vyd {

namespace {

constexpr int kOrderField = 4;
constexpr int kNoiseField = 3;

// Clamped to [0, top] (0 or less gives 0, top or more gives top), then truncated.
uint8_t clampSetting(double value, int top) {
    if (value <= 0) return 0;
    if (value >= top) return static_cast<uint8_t>(top);
    return static_cast<uint8_t>(value);
}

class ColorWashProcedure : public DialogProcedure {
public:
    ColorWashProcedure(AppState& app, uint8_t& order, uint8_t& noise) : app_(app), order_(order), noise_(noise) {}
    bool accepted() const { return accepted_; }

    void onInit(DialogFields& fields) override {
        fillFirstRow(app_, fields, ", now loaded from %s", true);
        fields.setText(kOrderField, formatText("%d", order_));
        fields.setText(kNoiseField, formatText("%d%%", noise_));
    }
    bool onCommand(int id, DialogFields& fields) override {
        if (id == IDCANCEL) return true;
        if (id != IDOK) return false;
        // A field that holds no number keeps the value shown when the box opened.
        order_ = clampSetting(readFieldNumber(fields, kOrderField).value_or(order_), 5);
        noise_ = clampSetting(readFieldNumber(fields, kNoiseField).value_or(noise_), 50);
        accepted_ = true;
        return true;
    }

private:
    AppState& app_;
    uint8_t& order_;
    uint8_t& noise_;
    bool accepted_ = false;
};

}  // namespace

bool runColorWashBox(AppState& app, uint8_t& washOrder, uint8_t& washMaxNoise) {
    ColorWashProcedure procedure(app, washOrder, washMaxNoise);
    app.ui().runDialog(colorWashTemplate(), procedure);
    return procedure.accepted();
}

}  // namespace vyd

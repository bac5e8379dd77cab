// libFuzzer target for the 3-D map: a turn file read into the state, the scene built from it,
// redraws replayed as steps at several views, drags with values from the input, and a later
// turn that no longer matches the scene built.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "model/SharedSubsAndVar.h"
#include "model/TurnFileReader.h"
#include "view3d/ThreeDMap.h"

namespace {

using namespace velmora;

// Every step lies at finite twips, names a picture that exists and an aircraft that exists.
void CheckSteps(const RedrawBuffers& drawing, const SharedSubsAndVar& state,
                const ThreeDScene& scene) {
    const std::vector<ThreeDStep>& steps = drawing.Steps;
    Check(!steps.empty() && std::holds_alternative<ClearStep>(steps.front()));
    Check(drawing.ObjectsBegin <= steps.size());
    const std::size_t objects = steps.size() - drawing.ObjectsBegin;
    Check(objects <= 4 * (scene.AircraftPoints.size() + scene.ObjectivePoints.size()));
    for (const ThreeDStep& step : steps) {
        if (const auto* line = std::get_if<LineStep>(&step)) {
            Check(std::isfinite(line->X1) && std::isfinite(line->Y1) && std::isfinite(line->X2) &&
                  std::isfinite(line->Y2));
        } else if (const auto* dot = std::get_if<DotStep>(&step)) {
            Check(std::isfinite(dot->X) && std::isfinite(dot->Y) && dot->Radius == 50);
        } else if (const auto* picture = std::get_if<PictureStep>(&step)) {
            Check(std::isfinite(picture->Left) && std::isfinite(picture->Top));
            Check(picture->Index >= 0 && picture->Index <= 7);
        } else if (const auto* label = std::get_if<LabelStep>(&step)) {
            Check(std::isfinite(label->X) && std::isfinite(label->Y));
            Check(state.AircraftList.Has(label->Aircraft) &&
                  !state.AircraftList(label->Aircraft).Pic.empty());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string bytes = TurnFileBytes(data, size);
    SharedSubsAndVar state;
    ReadTurnData(bytes, state);

    ThreeDScene scene;
    BuildScene(scene, state);
    Check(scene.ViewYaw == 90 && scene.ViewTilt == 90 && scene.ViewZoom == 7);
    Check(scene.AircraftPoints.size() == static_cast<std::size_t>(state.AircraftCount()) + 1);
    Check(scene.GridLinesEW.size() == scene.GridLinesNS.size());

    const ThreeDSizes sizes{5400, 5700};
    RedrawBuffers drawing;
    for (PresetView preset : {PresetView::TopDown, PresetView::World, PresetView::ZoomRange,
                              PresetView::SouthLookingNorth}) {
        ApplyPreset(scene, preset);
        Redraw(scene, state, sizes, drawing);
        CheckSteps(drawing, state, scene);
    }

    // Drags with pointer positions and buttons from the input's last bytes.
    for (std::size_t i = 0; i + 9 <= size && i < 9 * 16; i += 9) {
        float x, y;
        std::memcpy(&x, data + size - 1 - i - 8, sizeof x);
        std::memcpy(&y, data + size - 1 - i - 4, sizeof y);
        DragStep(scene, state.Visibility, data[size - 1 - i] & 7, x, y, 5700);
        Check(scene.ViewTilt >= 0 && scene.ViewTilt <= 90);
        Check(scene.ViewYaw >= 0 && scene.ViewYaw <= 359);
    }
    Redraw(scene, state, sizes, drawing);
    CheckSteps(drawing, state, scene);

    // A later turn: more contacts and another Visibility than the scene was built for.
    for (int i = 0; i < 3; ++i) {
        state.AircraftList.Append().Pic = "new";
        state.ObjectiveList.Append();
    }
    state.Visibility = static_cast<int16_t>(state.Visibility * 2 + 7);
    Redraw(scene, state, sizes, drawing);
    CheckSteps(drawing, state, scene);
    return 0;
}

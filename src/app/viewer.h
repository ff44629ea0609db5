#pragma once
// The 3D viewer as the controller sees it: a VRML browser that loads a scene file
// by path, reports the end of the load, exposes its camera and takes the
// navigation commands of the viewer controls. The window supplies the real one;
// tests supply a scripted fake.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace habitopia {

// The viewpoint as the user sees it (`ViewpointPosition`): position,
// orientation as axis and angle (radians), and the vertical field of view (radians).
struct ViewerCamera {
  std::array<double, 3> position{0, 0, 10};
  std::array<double, 4> orientation{0, 0, 1, 0};
  double fieldOfView = 0.785398;
};

struct SceneLoadResult {
  bool ok = false;
  std::string error;                  // why the load failed; empty on success
  std::vector<std::string> messages;  // what the browser reported while loading
};

// A picture of the viewer's current frame: 8-bit red, green, blue, alpha per
// pixel, rows from the top.
struct ViewerImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// The commands of the viewer controls.
enum class ViewerCommand { Fit, Restore, Plan, Pan, Turn, Roll };

// The command's name as the viewer controls send it: "fit", "restore", "plan",
// "pan", "turn", "roll".
std::string_view ViewerCommandName(ViewerCommand command);
std::optional<ViewerCommand> ViewerCommandFromName(std::string_view name);

// The viewer's skins: its CAD-style controls with "cad" on, its standard ones
// otherwise (the skin ids the control is given).
inline constexpr std::string_view kCadSkin = "{46BB95BF-8EB4-481A-A1EF-50D43FC32B9D}";
inline constexpr std::string_view kStandardSkin = "{1706B265-E103-4332-9871-7FEE6C37C699}";

// The renderer names the viewer controls offer; the one renderer there is
// reports itself as the OpenGL one.
inline constexpr std::string_view kOpenGLRendererName = "OpenGL Renderer";

class Viewer {
 public:
  using LoadFinished = std::function<void(const SceneLoadResult&)>;

  virtual ~Viewer() = default;

  // Called once per LoadScene, after the scene has been drawn or has failed.
  virtual void SetLoadFinishedHandler(LoadFinished handler) = 0;
  // Starts loading the scene file; the result comes through the handler.
  virtual void LoadScene(const std::string& path) = 0;

  // Nothing while no scene is shown.
  virtual std::optional<ViewerCamera> Camera() = 0;
  virtual bool SetCamera(const ViewerCamera& camera) = 0;

  virtual bool Command(ViewerCommand command) = 0;

  virtual bool SetHeadlight(bool on) = 0;
  // Dresses the viewer in one of the skins above; false when it has no such skin.
  virtual bool SetSkin(std::string_view skin) {
    (void)skin;
    return false;
  }
  virtual std::string RendererName() const = 0;

  // The current frame, drawn anew; nothing when no frame came within the timeout.
  virtual std::optional<ViewerImage> GrabFrame(int timeoutMs) = 0;

  // Stops the scene's animation at `fraction` (0..1) of its cycle, so that frames
  // can be repeated; ResumeAnimation lets it run on with the clock.
  virtual void SetAnimationFraction(double fraction) = 0;
  virtual void ResumeAnimation() = 0;
};

}  // namespace habitopia

#pragma once
// The utility panel panel2 and the viewer controls Panel11. The check boxes'
// states and the focus-angle and speed positions travel with a model file and
// live with the other switches a model file records; here are the rest.

#include "core/display_settings.h"

namespace habitopia {

// The radio group of Panel11: four navigation modes and the cad viewer.
enum class NavigationMode { Plan, Pan, Turn, Roll, Cad };

enum class RendererChoice { DirectX, OpenGL, R98 };

struct DisplayState {
  // panel2: which controls take input.
  bool lightsEnabled = true;
  bool brilliantEnabled = true;     // while the spotlights are on
  bool tumbleEnabled = false;       // while animation is on
  bool speedEnabled = false;        // Speed1, while animation is on
  bool transparencyEnabled = true;  // while fill is on

  int transparencyPosition = 2;  // Transparency, 0..20
  int axesLengthPosition = 18;   // UpDown1

  // The colours the colour buttons show: the model's display settings.
  DisplaySettings settings;

  // Panel11.
  NavigationMode navigation = NavigationMode::Cad;
  RendererChoice renderer = RendererChoice::OpenGL;
  int zoomModel = 50;  // zoommodel, 1..100
};

}  // namespace habitopia

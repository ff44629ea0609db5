#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "cli/commands.h"

namespace habitopia::cli {
namespace {

const Command kCommands[] = {
    {"info", "info FILE.mor [--json] [--descriptors [--energies]]",
     "build the model and print its faces, corners, surface and volume; --descriptors adds "
     "the shape descriptors (area per form, shape factors, principal lengths, Zingg class) of "
     "the faces as given, --energies reads the central distances as surface energies",
     RunInfo},
    {"cif-import", "cif-import FILE.cif -o OUT.mor [--block NAME]",
     "read a CIF file's cell, symmetry, colour and faces, complete the faces by symmetry "
     "and write the model; exit 1 when items are missing or faces left out. One data block "
     "is read: NAME, else the first that states a cell",
     RunCifImport},
    {"cif-export", "cif-export FILE.mor -o OUT.cif [--all-faces]",
     "write the model's cell, point group, colour, lustre and unique faces (--all-faces: "
     "every face) as CIF",
     RunCifExport},
    {"angle", "angle FILE.mor F1 F2",
     "interfacial angle and common edge of faces F1 and F2 (face-table indices from 0, as "
     "info lists them)",
     RunAngle},
    {"scene", "scene FILE.mor -o OUT.wrl [--wrz] [--embed]",
     "write the VRML scene with the display settings stored in the model (--wrz: gzip-"
     "compressed; --embed: with the model appended)",
     RunScene},
    {"stl", "stl FILE.mor -o OUT.stl", "write the crystal (and its twin) as an ASCII STL file",
     RunStl},
    {"extract", "extract SCENE.wrl -o OUT.mor", "write the model embedded in a scene file",
     RunExtract},
    {"expand", "expand FILE.mor -o OUT.mor",
     "rebuild the full face list from the unique faces with the model's point group and "
     "write the model",
     RunExpand},
    {"predict",
     "predict (--cell A B C ALPHA BETA GAMMA (--group G | --group-number N | --space-group S) "
     "| --cif FILE.cif [--block NAME] [--file-axes]) -o OUT.mor [--centring P|A|B|C|F|I|R] "
     "[--glide1 b|c|n|d] "
     "[--glide2 a|c|n|d] [--glide3 a|b|n|d] [--screw-a] [--screw-b] [--screw-c 2|3|4|6] "
     "[--hkl-max N] [--no-higher-orders] [--polarity R] [--seed S] [--no-cleanup]",
     "predict the morphology from the cell, the point group (--group: a symbol such as "
     "\"4/m3\", \"m-3m\", \"-1\", \"32\"; --group-number: 1..33) and the translation symmetry "
     "and write the model with the predicted unique faces and the full list; the clean-up "
     "keeps only the forms present on the crystal. --space-group (a number 1..230, a "
     "Hermann-Mauguin symbol such as \"P 42/m n m\" or a Hall symbol) decides the absences "
     "exactly from the group's operations and gives the point group; --cif uses the file's "
     "operator list, else its Hall or Hermann-Mauguin symbol, else its number the same way, "
     "says which setting it read and how the axes change for the point group, and with "
     "--file-axes lists the faces on the file's own axes. Otherwise the box's choices "
     "(--centring, --glide1..3, --screw-*) are used",
     RunPredict},
    {"drawing",
     "drawing FILE.mor -o OUT.svg|OUT.pdf [--view H K L | --direction U V W | --camera] "
     "[--perspective R] [--hidden dashed|none] [--labels] [--hkil] [--axes]",
     "draw the crystal as SVG (or PDF, the same vector drawing with its fonts embedded): seen on "
     "face (H K L), along [U V W], from the scene's camera or "
     "(default) in the clinographic view; parallel projection unless --perspective puts the eye R "
     "crystal radii away; hidden edges dashed or left out; index labels, four-index labels, cell "
     "axes; a twin the model has is drawn with it in its own colour",
     RunDrawing},
    {"stereo",
     "stereo FILE.mor -o OUT.svg|OUT.pdf [--view H K L] [--equal-area] [--wulff-net | "
     "--schmidt-net] "
     "[--all-faces] [--zone F1 F2]... [--angle F1 F2] [--hkil]",
     "stereographic projection of the face poles (c at the centre, or the pole of (H K L)), or "
     "with --equal-area the equal-area one; --wulff-net and (equal-area) --schmidt-net draw the "
     "net; upper hemisphere dots, lower hemisphere rings, present faces filled, the twin's poles "
     "in amber when the model has one; --all-faces adds "
     "the absent faces (open); zone circles and the angle arc between faces F1 and F2 (face-table "
     "indices from 0, as info lists them; the angle is printed as the angle command prints it)",
     RunStereo},
    {"export", "export FILE.mor -o OUT.glb|OUT.obj|OUT.3mf|OUT.html",
     "write the crystal (and its twin, as the STL export includes it) as binary glTF 2.0, OBJ "
     "with an MTL file beside it, or 3MF; lengths as in the STL export (millimetres, the "
     "farthest corner 25 mm from the centre; glTF in metres); or as one self-contained web page "
     "that shows the model's scene with X_ITE (rotate and zoom with the mouse) above its cell, "
     "point group, forms, face and corner counts, surface and volume",
     RunExport},
    {"wulff",
     "wulff (--cell A B C ALPHA BETA GAMMA (--group G | --group-number N | --space-group S) | "
     "--cif FILE [--block NAME]) --table FILE [--kind energy|growth|attachment] [--units U] -o "
     "OUT.mor [--descriptors] "
     "[--json]",
     "build the crystal whose central distances are a table's values, one row \"h k l value\" "
     "per form, completed by the point group: surface energies (the Wulff shape, the default), "
     "growth rates or attachment energies (their magnitude); a \"# units: J/m^2\" comment or "
     "--units names the unit. Writes the model; --descriptors prints the shape descriptors "
     "(--json: as JSON), with the energy-weighted figures for surface energies",
     RunWulff},
    {"batch",
     "batch INPUT... -o RESULTS.jsonl|RESULTS.csv [--jobs N] [--shard K/N] [--resume] "
     "[--hkl-max N] [--wulff TABLE] [--keep-models DIR]",
     "predict the habit (or with --wulff the Wulff shape of a table of surface energies) of "
     "every structure: each data block with a cell and a symmetry of the CIF files named, found "
     "in the folders named (also .cif.gz) or listed one per line in @LIST; one row per structure "
     "in the sorted input order, whatever --jobs (default: every core); --shard K/N takes every "
     "N-th file from the K-th, --resume goes on after the rows already written, --keep-models "
     "writes each model file into DIR. Exit status: the number of structures refused (at most "
     "100), 125 for bad arguments or a run that stopped",
     RunBatch},
    {"batch-merge", "batch-merge SHARD... -o RESULTS.jsonl|RESULTS.csv",
     "join the result files of batch shards in the order of one whole run", RunBatchMerge},
};

void PrintHelp(std::ostream& out) {
  out << "habitopia-cli: batch use of the Habitopia crystal-morphology engine\n\n"
         "Usage: habitopia-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
  for (const Command& command : kCommands)
    out << "  " << command.usage << "\n      " << command.summary << "\n";
  out << "\nExit status: 0 success, 1 model read but result incomplete (e.g. hull not "
         "closed),\n2 bad input or failed write.\n";
}

}  // namespace
}  // namespace habitopia::cli

int main(int argc, char** argv) {
  using namespace habitopia::cli;
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
      !std::strcmp(argv[1], "help")) {
    PrintHelp(std::cout);
    return argc < 2 ? 2 : 0;
  }
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.name)) continue;
    const Arguments args(argv + 2, argv + argc);
    for (const std::string& a : args) {
      if (a == "--help" || a == "-h") {
        std::cout << "Usage: habitopia-cli " << command.usage << "\n\n" << command.summary << "\n";
        return 0;
      }
    }
    return command.run(args);
  }
  std::cerr << "habitopia-cli: unknown command \"" << argv[1] << "\" (see --help)\n";
  return 2;
}

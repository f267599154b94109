// The usage text and each command's help, with examples.

#include <ostream>
#include <string_view>

#include "cli/cli.h"

namespace quorlin::cli {

namespace {

struct CommandHelp {
  std::string_view word;
  std::string_view text;
};

constexpr CommandHelp kHelp[] = {
    {"devices",
     "quorlinctl devices\n"
     "  Lists every interface of the keyboard and whether this user may open it;\n"
     "  an interface the program refuses (an unusable report descriptor) says why\n"
     "  (--json: \"open\" and \"reason\").\n"},
    {"info",
     "quorlinctl info\n"
     "  Prints the firmware version, active profile, macro capacity and lighting modes.\n"},
    {"profile",
     "quorlinctl profile            print the active profile (1..3)\n"
     "quorlinctl profile set N      make profile N (1..3) the active one, as its profile\n"
     "                              button does (its lighting and per-key colours go along)\n"
     "Example: quorlinctl profile set 2\n"},
    {"lighting",
     "quorlinctl lighting [--profile N]\n"
     "  Prints the lighting record of profile N (default: the active one) by field name.\n"
     "quorlinctl lighting set [--profile N] FIELD=VALUE ...\n"
     "  Changes fields as the lighting panel does, sending what the panel sends:\n"
     "    mode=M          a mode the keyboard lists (see 'info')\n"
     "    brightness=0..5 speed=0..5 (0 fastest) direction=0|255 colourful=0|1|255\n"
     "    colour=#RRGGBB  (turns multi-colour off, as picking a colour does)\n"
     "    report-rate=0..3 swatch=0..3 (0 red, 1 yellow, 2 green, 3 blue)\n"
     "  colour2, colourful2, colour3 and colourful3 are printed but kept by the\n"
     "  keyboard: no control of the lighting panel sets them.\n"
     "quorlinctl lighting defaults [--profile N]\n"
     "  Overwrites the profile's lighting, report rate and per-key colours with\n"
     "  the defaults. Asks first; answered No unless --yes is given.\n"
     "Examples: quorlinctl lighting set mode=5 brightness=3 colour=#00FF80\n"
     "          quorlinctl --json lighting --profile 2\n"},
    {"colours",
     "quorlinctl colours [--profile N] set KEY=#RRGGBB ...\n"
     "quorlinctl colours [--profile N] fill #RRGGBB\n"
     "  Sets per-key colours of the present custom slot, keeping the user lighting\n"
     "  file in step. KEY is a key name (English or the program's language, any case),\n"
     "  G1..G9 for the G keys (they share one colour), Fn, or an LED index (led:N).\n"
     "Examples: quorlinctl colours set W=#FF0000 A=#FF0000 S=#FF0000 D=#FF0000\n"
     "          quorlinctl colours --profile 3 fill #FFFFFF\n"},
    {"keys",
     "quorlinctl keys [--profile N]           list every key and G key with its function\n"
     "quorlinctl keys set [--profile N] KEY ACTION\n"
     "  ACTION: default, disabled, key:NAME, mouse:left|right|middle|wheel-up|wheel-down,\n"
     "          media:NAME, function:N (1..11), macro:NAME, stop-macro\n"
     "quorlinctl keys reset [--profile N]     every key of the profile back to default\n"
     "quorlinctl keys names                   every key, mouse, media and function name\n"
     "  Names ignore case, blanks, hyphens and underscores: media:volume-up and\n"
     "  \"media:Volume up\" are one. --json keys gives each key's English name, the\n"
     "  function's kind and parameter and the ACTION that sets it again.\n"
     "Examples: quorlinctl keys set G1 macro:Combo\n"
     "          quorlinctl keys set CapsLock key:Esc\n"
     "          quorlinctl keys set F5 media:Mute\n"},
    {"macros",
     "quorlinctl macros                   list the macros (name, id, play count, events, size)\n"
     "quorlinctl macros show NAME         print its events\n"
     "quorlinctl macros add NAME EVENT... add a macro and apply; EVENT is KEY:down, KEY:up or\n"
     "                                    wait:MS (the delay after the event before it)\n"
     "  Waits after one event add up; the keyboard stores at most 40000 ms in 10 ms\n"
     "  steps (a wait that is not a multiple of 10 is rounded down and said so).\n"
     "  NAME has at most 249 characters. A NAME that starts with '-' goes after --:\n"
     "  quorlinctl macros add -- -fast- A:down A:up\n"
     "quorlinctl macros delete NAME       delete and apply (keys using it ask; --yes agrees)\n"
     "Example: quorlinctl macros add Hello H:down wait:50 H:up I:down I:up\n"},
    {"export",
     "quorlinctl export FILE\n"
     "  Reads the keyboard's key tables and macros into a profile file.\n"},
    {"check",
     "quorlinctl check FILE\n"
     "  Validates a profile file: status 0 when it may be loaded, 7 and the reason if not.\n"},
    {"restore",
     "quorlinctl restore FILE\n"
     "  Restores a profile file to the keyboard (all three profiles), as the GUI does.\n"},
    {"backup",
     "quorlinctl backup FILE\n"
     "  Backs up the keyboard's settings (with the program's texts) to a profile file.\n"},
    {"events",
     "quorlinctl events [--count N]\n"
     "  Prints the keyboard's event reports as they arrive, until Ctrl+C (or N events,\n"
     "  N = 1..1000000). The simulated keyboard sends none on its own.\n"
     "  Under --json each event is one JSON object on its own line\n"
     "  ({\"code\": \"0x....\", \"event\": ID, \"text\": TEXT}), as it arrives.\n"},
    {"firmware",
     "quorlinctl firmware\n"
     "  Prints the firmware version and whether the program would propose an update.\n"},
    {"auto-profile",
     "quorlinctl auto-profile [list]          the rules, the fallback and whether they are on\n"
     "quorlinctl auto-profile add APP N       switch to profile N (1..3) while APP has focus\n"
     "quorlinctl auto-profile remove APP      drop APP's rule\n"
     "quorlinctl auto-profile fallback N|none the profile when no rule matches (none: it stays)\n"
     "quorlinctl auto-profile on|off          switch the rules on or off as a whole\n"
     "  APP is the executable's name (case and a trailing .exe do not count); for\n"
     "  programs run by Java, Python or Wine/Proton it is the window's class, or the\n"
     "  .exe name the window reports. The first matching rule counts. The rules live\n"
     "  in the settings file the program shares; a running window follows a change\n"
     "  at once. Nothing is sent to the keyboard here.\n"
     "Example: quorlinctl auto-profile add eldenring.exe 2\n"},
};

}  // namespace

void PrintUsage(std::ostream& out) {
  out << "Usage: quorlinctl [OPTIONS] COMMAND [ARGS]\n"
         "\n"
         "Configures the keyboard (USB 320F:0000 or 320F:5000) from the command line.\n"
         "\n"
         "Commands:\n"
         "  devices    list every interface of the keyboard and whether it can be opened\n"
         "  info       print the firmware version, active profile, macro capacity and\n"
         "             lighting modes of the keyboard\n"
         "  profile    print or set the active profile\n"
         "  lighting   print or set a profile's lighting, or write its defaults\n"
         "  colours    set per-key colours\n"
         "  keys       list, assign or reset key functions\n"
         "  macros     list, show, add or delete macros\n"
         "  export     read the keyboard into a profile file\n"
         "  check      validate a profile file\n"
         "  restore    restore a profile file to the keyboard\n"
         "  backup     back up the settings to a profile file\n"
         "  events     print the keyboard's event reports\n"
         "  firmware   print the firmware version and whether an update is proposed\n"
         "  auto-profile  list or change the rules that switch the profile with the\n"
         "             application in focus\n"
         "Run 'quorlinctl COMMAND --help' for a command's arguments and examples.\n"
         "\n"
         "Options (anywhere before a --; every word after -- is an argument):\n"
         "  --simulate[=0x0000|0x5000]  use the simulated keyboard (default product 0x5000)\n"
         "  --sim-state FILE            load the simulated keyboard's memory from FILE (if it\n"
         "                              exists) and save it back on exit\n"
         "  --trace                     print every frame written (>) and read (<) on stderr\n"
         "  --json                      machine-readable output: one JSON value on stdout\n"
         "                              (events: one JSON object per line; --help:\n"
         "                              {\"help\": TEXT});\n"
         "                              errors are {\"error\": TEXT, \"status\": N} on stderr,\n"
         "                              other notes {\"message\": TEXT} on stderr\n"
         "  --lang ID                   language of printed texts: 0x0409 (en), 0x0407 (de),\n"
         "                              0x0416 (pt), or a regional variant of one (0x0809\n"
         "                              English, UK); default: the stored language\n"
         "  --yes                       answer Yes to questions (default: No)\n"
         "  --help                      this text\n"
         "\n"
         "Key, media and function names are accepted in English and in the program's\n"
         "language, in any case ('quorlinctl keys names' lists them). Profiles are\n"
         "numbered 1..3.\n"
         "\n"
         "Examples:\n"
         "  quorlinctl devices\n"
         "  quorlinctl --simulate=0x0000 info\n"
         "  quorlinctl --simulate --sim-state kb.bin --trace info\n"
         "  quorlinctl lighting set --profile 1 mode=6 colour=#FF8000\n"
         "\n"
         "Exit status: 0 success, 1 other failure, 2 bad arguments, 3 no keyboard,\n"
         "4 keyboard not permitted (udev rule missing), 5 keyboard did not answer,\n"
         "6 keyboard refused the command, 7 file rejected.\n";
}

bool PrintCommandHelp(const std::string& command, std::ostream& out) {
  for (const auto& h : kHelp) {
    if (h.word == command) {
      out << h.text;
      return true;
    }
  }
  return false;
}

}  // namespace quorlin::cli

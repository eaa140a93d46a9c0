#include "CommandReference.h"

namespace brillex::sim {

const std::vector<CommandGroup>& commandReference() {
    static const std::vector<CommandGroup> groups{
        {"Script",
         {"echo TEXT", "run SECONDS   (advance the virtual clock, firing the timers that fall due)",
          "edid FILE   (the fields of an EDID file, relative to the script)"}},
        {"Screens",
         {"screen add ID \"NAME\" [builtin] [potential=X] [reference=X] [frame=X,Y,W,H] [visible=X,Y,W,H]",
          "screen add-unnumbered \"NAME\" [potential=X]", "screen remove ID",
          "screen set ID [potential=X] [reference=X] [frame=X,Y,W,H] [visible=X,Y,W,H]", "main ID",
          "main-screen none|ID", "notify screens", "metal on|off", "gamma ID read-fails|write-fails|ok",
          "gamma ID fill V", "gamma ID entry I R G B"}},
        {"Boost",
         {"boost ID on|off", "level ID X", "boost-up ID", "boost-down ID", "disable-all", "sync", "show state ID",
          "show overlay ID", "show gamma ID I", "show displays", "show manager"}},
        {"Power",
         {"power clear", "power set [current=N] [max=N] [state=\"TEXT\"] [charging=B]", "power add [KEY=VALUE ...]",
          "power add-broken", "battery update", "battery start", "show battery"}},
        {"Settings and text",
         {"store KEY VALUE", "unstore KEY", "setting KEY VALUE", "launch-at-login true|false",
          "login-item fails \"TEXT\"|ok", "language CODE", "show setting KEY", "show store KEY", "show text KEY",
          "show login-item"}},
        {"Hardware controls",
         {"brightness-service absent|no-get|no-set|present", "hw-brightness ID X|read-fails|write-fails STATUS|ok",
          "brightness-source ID library|none|slow SECONDS", "display-connect X|none",
          "system-brightness refresh-displays|refresh|start-observing|stop-observing|set ID X",
          "show brightness ID|main",
          "kbd-client absent|present|ids=N,N|no-ids-selector|no-getter|level=X|setter=plain|fade|none|set-result=B",
          "keyboard read", "keyboard set X", "show keyboard", "night-shift-client absent|present",
          "true-tone-client absent|present|no-supported|supported=B", "appearance-function absent|present",
          "appearance dark|light", "night-shift-hw B", "true-tone-hw B", "features refresh", "features night B",
          "features true-tone B", "features dark B", "show features"}},
        {"Keys and on-screen display",
         {"trust B", "tap-creation fails|ok", "keys start|stop", "show keys",
          "key up|down|up-release|down-release|other-type|media CODE", "osd show X", "osd show-xdr CURRENT MAX",
          "show osd"}},
        {"Application",
         {"status-item no-button", "launch", "quit", "click status-item", "click elsewhere", "show popover",
          "show app", "show polling"}},
    };
    return groups;
}

std::string helpText() {
    std::string text =
        "usage: brillex-sim [SCRIPT | - | --demo | --help | --version]\n"
        "\n"
        "Plays a script of world events and queries on Brillex's simulated computer, one\n"
        "command a line, and prints every log line and the answer of every query (\"= ...\").\n"
        "A command that cannot be carried out prints \"! \" and the reason; the run goes on.\n"
        "\n"
        "  SCRIPT     the script file; - or a piped standard input reads standard input\n"
        "  --demo     play the demonstration script that comes with Brillex\n"
        "  --help     print this help and exit\n"
        "  --version  print the version and exit\n"
        "\n"
        "Commands (ID a display number, B true or false, X a number with a point):\n";
    for (const CommandGroup& group : commandReference()) {
        text += std::string("\n") + group.title + ":\n";
        for (const char* synopsis : group.synopses) text += std::string("  ") + synopsis + "\n";
    }
    text += "\nExit status: 0 the script ran without a \"!\" line, 1 it printed one, 2 a malformed\n"
            "command line or an unreadable script.\n";
    return text;
}

} // namespace brillex::sim

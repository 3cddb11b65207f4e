// Long play on the fake framework: each game screen in turn runs so many
// frames of the fake clock under a random player who clicks tiles and
// pairs, hints, shuffles, pauses, opens the save dialog and cancels it,
// types into the record dialog, leaves and starts again. Resident memory is
// sampled as it goes; it must stay flat from the sample at `--flat-from`
// frames to the end. Under LeakSanitizer the exit checks for leaks; a
// negative `--tolerance-kb` turns the resident check off.
//
//   velmora-soak FRAMES [--flat-from N] [--screens 234] [--depth 32|16]
//                [--tolerance-kb K]
#include "game/GameRig.h"
#include "screens/RecordNameDialog.h"
#include "screens/SaveNameDialog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

// Where both name dialogs stand on the screen.
constexpr int32_t kDialogLeft = 150;
constexpr int32_t kDialogTop = 175;

long ResidentKb()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// One frame of input: the pointer, the left button, a key held.
struct SInput {
    int32_t x = 400;
    int32_t y = 300;
    bool down = false;
    uint8_t key = 0;
};

class CSoak {
public:
    CSoak(uint32_t seed, int32_t depth)
        : random(seed)
    {
        if (!rig.available || !rig.CopyBuiltLayouts()) {
            std::fprintf(stderr, "the run folder's data is missing (VELMORA_RUN_DIR)\n");
            std::exit(2);
        }
        layouts = platform::ListFiles("Layouts");
        rig.framework.SetFullScreenMode(800, 600, depth);
    }

    // Plays `frames` frames on the screen; returns the resident sizes at
    // each tenth of the run (and at flatFrom).
    void Play(int32_t screenId, long frames, long flatFrom, long& flatKb, long& endKb)
    {
        StartGame(screenId);
        for (long frame = 0; frame < frames; ++frame) {
            if (frame == flatFrom) {
                flatKb = ResidentKb();
            }
            if (frames >= 10 && frame % (frames / 10) == 0) {
                std::printf("  screen %d frame %ld: %ld kB resident\n", screenId, frame, ResidentKb());
                std::fflush(stdout);
            }
            Step(screenId, frame);
        }
        endKb = ResidentKb();
        std::printf("  screen %d frame %ld: %ld kB resident; %ld games, %ld pairs, %ld saves cancelled, %ld records\n",
            screenId, frames, endKb, games, pairs, savesCancelled, records);
    }

private:
    size_t Below(size_t bound) { return bound == 0 ? 0 : random() % bound; }

    void StartGame(int32_t screenId)
    {
        rig.Start(screenId, layouts[Below(layouts.size())]);
        pending.clear();
        ++games;
    }

    void RunFrame(const SInput& input)
    {
        rig.harness.SetKey(input.key, input.key != 0);
        rig.Frame(input.x, input.y, input.down);
        rig.harness.SetKey(input.key, false);
    }

    // A press of one frame and then the frames until a button reports it.
    void QueueClick(int32_t x, int32_t y, int waitFrames = 1)
    {
        pending.push_back({x, y, true, 0});
        for (int i = 0; i < waitFrames; ++i) {
            pending.push_back({x, y, false, 0});
        }
    }

    // A button of a game screen, or of a dialog whose widgets lie relative
    // to its top-left corner (offsetX, offsetY).
    void QueueButton(const CTextButton* button, int32_t offsetX = 0, int32_t offsetY = 0)
    {
        if (button == nullptr) {
            return;
        }
        for (int tries = 0; tries < 2000; ++tries) {
            const int32_t x = static_cast<int32_t>(Below(800));
            const int32_t y = static_cast<int32_t>(Below(600));
            if (button->Contains(x - offsetX, y - offsetY)) {
                QueueClick(x, y, 30); // 600 ms: reported and unlocked again
                return;
            }
        }
    }

    void Decide(int32_t screenId, long frame)
    {
        CGameScreen* game = rig.Current();
        if (game == nullptr) {
            StartGame(screenId); // left, refused or ended back at the menu
            return;
        }
        if (game->RecordDialog() != nullptr) {
            ++records;
            for (uint8_t key : {DIK_S, DIK_O, DIK_A, DIK_K}) {
                pending.push_back({400, 300, false, key});
                for (int i = 0; i < 10; ++i) {
                    pending.push_back({400, 300, false, 0});
                }
            }
            CNameDialog* dialog = game->RecordDialog();
            QueueButton(Below(2) == 0 ? dialog->confirmButton : dialog->cancelButton, kDialogLeft, kDialogTop);
            return;
        }
        if (game->SaveDialog() != nullptr) {
            ++savesCancelled;
            pending.push_back({400, 300, false, DIK_S});
            CNameDialog* dialog = game->SaveDialog();
            QueueButton(dialog->cancelButton, kDialogLeft, kDialogTop);
            return;
        }
        if (frame % 20000 == 19999) {
            rig.framework.SwitchToScreen(kMainMenuScreenId);
            return;
        }
        const size_t roll = Below(1000);
        board::CBoard* board = game->Board();
        if (roll < 600 || board == nullptr) {
            pending.push_back({static_cast<int32_t>(Below(800)), static_cast<int32_t>(Below(600)), false, 0});
        } else if (roll < 800) {
            QueueClick(static_cast<int32_t>(60 + Below(700)), static_cast<int32_t>(20 + Below(500)));
        } else if (roll < 950) {
            if (const auto pair = board::FindFirstPair(*board)) {
                const auto first = rig.PointOnTile(pair->first);
                const auto second = rig.PointOnTile(pair->second);
                if (first && second) {
                    QueueClick(first->x, first->y);
                    QueueClick(second->x, second->y);
                    ++pairs;
                }
            }
        } else if (roll < 965) {
            QueueButton(game->Button(CGameScreen::kHint));
        } else if (roll < 975) {
            QueueButton(game->Button(CGameScreen::kShuffle));
        } else if (roll < 985) {
            QueueButton(game->Button(CGameScreen::kPause));
            QueueClick(400, 300, 30); // a click anywhere ends the pause
        } else if (roll < 997) {
            QueueButton(game->Button(CGameScreen::kSave));
        } else {
            QueueButton(game->Button(CGameScreen::kLeave));
        }
    }

    void Step(int32_t screenId, long frame)
    {
        if (pending.empty()) {
            Decide(screenId, frame);
        }
        if (pending.empty()) {
            RunFrame({});
            return;
        }
        const SInput input = pending.front();
        pending.pop_front();
        RunFrame(input);
    }

    std::mt19937 random;
    game_test::CGameRig rig;
    std::vector<std::string> layouts;
    std::deque<SInput> pending;
    long games = 0;
    long pairs = 0;
    long savesCancelled = 0;
    long records = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FRAMES [--flat-from N] [--screens 234] [--tolerance-kb K]\n", argv[0]);
        return 2;
    }
    const long frames = std::strtol(argv[1], nullptr, 10);
    long flatFrom = frames / 10;
    long toleranceKb = 1024;
    std::string screens = "234";
    int32_t depth = 32;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--flat-from") == 0) {
            flatFrom = std::strtol(argv[i + 1], nullptr, 10);
        } else if (std::strcmp(argv[i], "--screens") == 0) {
            screens = argv[i + 1];
        } else if (std::strcmp(argv[i], "--depth") == 0) {
            depth = static_cast<int32_t>(std::strtol(argv[i + 1], nullptr, 10));
        } else if (std::strcmp(argv[i], "--tolerance-kb") == 0) {
            toleranceKb = std::strtol(argv[i + 1], nullptr, 10);
        }
    }
    int status = 0;
    CSoak soak(20261207, depth);
    for (char id : screens) {
        long flatKb = 0;
        long endKb = 0;
        soak.Play(id - '0', frames, flatFrom, flatKb, endKb);
        const long growth = endKb - flatKb;
        std::printf(
            "screen %c: %ld kB at frame %ld, %ld kB at the end (%+ld kB)\n", id, flatKb, flatFrom, endKb, growth);
        if (toleranceKb >= 0 && growth > toleranceKb) {
            std::printf("screen %c: resident memory grew by more than %ld kB\n", id, toleranceKb);
            status = 1;
        }
    }
    return status;
}

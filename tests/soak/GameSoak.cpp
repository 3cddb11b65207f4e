// Long play on the fake framework: each game screen in turn runs so many
// frames of the fake clock under a random player who clicks tiles and
// pairs, hints, shuffles, pauses, opens the save dialog and cancels it by
// Escape, types into the record dialog and answers it by Enter or Escape,
// leaves and starts again. Resident memory is
// sampled as it goes; it must stay flat from the sample at `--flat-from`
// frames to the end. Under LeakSanitizer the exit checks for leaks; a
// negative `--tolerance-kb` turns the resident check off.
//
//   velmora-soak FRAMES [--flat-from N] [--screens 234] [--tolerance-kb K]
#include "game/GameRig.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

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
    int32_t x = 400, y = 300;
    bool down = false;
    uint8_t key = 0;
};

class CSoak {
public:
    explicit CSoak(uint32_t seed)
        : random(seed)
    {
        if (!rig.available || !rig.CopyBuiltLayouts()) {
            std::fprintf(stderr, "the run folder's data is missing (VELMORA_RUN_DIR)\n");
            std::exit(2);
        }
        layouts = platform::ListFiles("Layouts");
        rig.framework.SetFullScreenMode(800, 600, 32);
    }

    // Plays `frames` frames on the screen; the growth of the resident size
    // from frame flatFrom to the end.
    long Play(int32_t screenId, long frames, long flatFrom)
    {
        long flatKb = 0;
        StartGame(screenId);
        for (long frame = 0; frame < frames; ++frame) {
            flatKb = frame == flatFrom ? ResidentKb() : flatKb;
            if (pending.empty()) {
                Decide(screenId, frame);
            }
            const SInput input = pending.empty() ? SInput{} : pending.front();
            pending.erase(pending.begin(), pending.begin() + (pending.empty() ? 0 : 1));
            rig.harness.SetKey(input.key, input.key != 0);
            rig.Frame(input.x, input.y, input.down);
            rig.harness.SetKey(input.key, false);
        }
        const long endKb = ResidentKb();
        std::printf("screen %d: %ld kB at frame %ld, %ld kB at the end (%+ld kB); %ld games, %ld pairs, %ld saves "
                    "cancelled, %ld records\n",
            screenId, flatKb, flatFrom, endKb, endKb - flatKb, games, pairs, savesCancelled, records);
        return endKb - flatKb;
    }

private:
    int32_t Below(size_t bound) { return static_cast<int32_t>(bound == 0 ? 0 : random() % bound); }

    void StartGame(int32_t screenId)
    {
        rig.Start(screenId, layouts[static_cast<size_t>(Below(layouts.size()))]);
        pending.clear();
        ++games;
    }

    // A press of one frame and then the frames until a button reports it.
    void QueueClick(int32_t x, int32_t y, int waitFrames = 1)
    {
        pending.push_back({x, y, true, 0});
        pending.insert(pending.end(), static_cast<size_t>(waitFrames), SInput{x, y, false, 0});
    }

    // A button's centre; 600 ms of frames let it report and unlock again.
    void QueueButton(const CTextButton* button)
    {
        if (button != nullptr) {
            const media::STextBox b = button->Bounds();
            QueueClick((b.left + b.right) / 2, (b.top + b.bottom) / 2, 30);
        }
    }

    // Keys typed 200 ms apart; the last one answers a dialog.
    void QueueKeys(std::initializer_list<uint8_t> keys)
    {
        for (const uint8_t key : keys) {
            pending.push_back({400, 300, false, key});
            pending.insert(pending.end(), 10, SInput{});
        }
    }

    void Decide(int32_t screenId, long frame)
    {
        CGameScreen* game = rig.Current();
        if (game == nullptr) {
            StartGame(screenId); // left, refused or ended back at the menu
        } else if (game->RecordDialog() != nullptr) {
            ++records;
            QueueKeys({DIK_S, DIK_O, DIK_A, DIK_K, Below(2) == 0 ? DIK_RETURN : DIK_ESCAPE});
        } else if (game->SaveDialog() != nullptr) {
            ++savesCancelled;
            QueueKeys({DIK_S, DIK_ESCAPE});
        } else if (frame % 20000 == 19999) {
            rig.framework.SwitchToScreen(kMainMenuScreenId);
        } else {
            PlayOnBoard(*game, Below(1000));
        }
    }

    void PlayOnBoard(CGameScreen& game, int32_t roll)
    {
        if (roll < 600 || game.Board() == nullptr) {
            pending.push_back({Below(800), Below(600), false, 0});
        } else if (roll < 800) {
            QueueClick(60 + Below(700), 20 + Below(500));
        } else if (roll < 950) {
            const auto pair = board::FindFirstPair(*game.Board());
            const auto first = pair ? rig.PointOnTile(pair->first) : std::nullopt;
            const auto second = pair ? rig.PointOnTile(pair->second) : std::nullopt;
            if (first && second) {
                QueueClick(first->x, first->y);
                QueueClick(second->x, second->y);
                ++pairs;
            }
        } else if (roll < 975) {
            QueueButton(game.Button(roll < 965 ? CGameScreen::kHint : CGameScreen::kShuffle));
        } else if (roll < 985) {
            QueueButton(game.Button(CGameScreen::kPause));
            QueueClick(400, 300, 30); // a click anywhere ends the pause
        } else {
            QueueButton(game.Button(roll < 997 ? CGameScreen::kSave : CGameScreen::kLeave));
        }
    }

    std::mt19937 random;
    game_test::CGameRig rig;
    std::vector<std::string> layouts;
    std::deque<SInput> pending;
    long games = 0, pairs = 0, savesCancelled = 0, records = 0;
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
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--screens") {
            screens = argv[i + 1];
        } else {
            (flag == "--flat-from" ? flatFrom : toleranceKb) = std::strtol(argv[i + 1], nullptr, 10);
        }
    }
    int status = 0;
    CSoak soak(20261207);
    for (char id : screens) {
        if (soak.Play(id - '0', frames, flatFrom) > toleranceKb && toleranceKb >= 0) {
            std::printf("screen %c: resident memory grew by more than %ld kB\n", id, toleranceKb);
            status = 1;
        }
    }
    return status;
}

#pragma once

#include "engine/av/filtersettings.h"
#include "engine/playback/playstatus.h"
#include "engine/playback/previewfiltertarget.h"
#include "engine/probe/fileinfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Told when the player gives up its window: playback stopped or closed, the
// window changed, or the player itself goes away.  The argument tells which
// (PlayerDestroyReason) and may be ignored.  Notices come on the GUI thread.
// An observer leaves the list by itself when it is destroyed.
class IPlayerDestroyObserver {
public:
    virtual ~IPlayerDestroyObserver();
    virtual void OnPlayerDestroy(int reason) = 0;
};

enum PlayerDestroyReason {
    PLAYER_DESTROYED = 0,
    PLAYER_STOPPED = 1,
    PLAYER_WINDOW_CHANGED = 2,
};

class MediaProbe;

// A player: it probes files for the registry, and plays the open file into
// the native window whose id is current, with sound, applying the same
// preview filters as the transcoder.  The application makes one and hands it
// to the widgets that play; several may exist (tests make their own), and
// the window id and the destroy observers are shared by all.  All calls are
// made from the GUI thread, except filters(), which any thread may call.
class CffmpegPlayer : public PreviewFilterTarget {
public:
    CffmpegPlayer();
    ~CffmpegPlayer() override;
    CffmpegPlayer(const CffmpegPlayer &) = delete;
    CffmpegPlayer &operator=(const CffmpegPlayer &) = delete;

    // The native window that playback paints into (0 = none).
    static void setWndID(int64_t id);
    static int64_t getWndID();

    // Probing.
    int OpenFile(const char *path);
    int GetFileInfo(FileInfo *info);
    int IsAudioFile();
    // JPEG bytes of the frame at ms; buffer stays owned by the player until
    // the next call.  Returns the byte count (0 on failure).
    int GetThumbImage(unsigned char *&buffer, int64_t ms);
    void CloseFile();
    std::string GetOpenedFileName() const;

    // Playback.
    void SetInitSize(int width, int height);
    int Play();
    int Pause();
    int Stop();
    int Seek(double ms);
    void SetStartEndPos(int64_t startMs, int64_t endMs);
    double GetCurrentPosition();
    int GetPlayStatus();
    void SetVolumn(int volume); // 0..128
    void SetSilent();           // toggles mute
    // Writes the current frame at source resolution; type 1 BMP, 2 JPEG.
    int SnapImage(const char *path, int type);
    // The picture's rectangle inside the window (aspect kept, letterboxed).
    void GetShowRect(int &x, int &y, int &width, int &height);
    void SetZoomFilter(int mode, int width, int height);

    // The preview filters, as one typed set.  setFilters replaces the whole
    // set (the picture on screen is drawn again with it); the generation
    // grows with every change.
    void setFilters(const FilterSettings &settings) override;
    FilterSettings filters() const override;
    FilterSettings filterSnapshot(uint64_t *generation = nullptr) const;
    uint64_t filterGeneration() const;
    void resetFilters();

    // Paints the latest frame when the player owns window id; see FFP_TestAndRefresh.
    bool testAndRefresh(int64_t id);
    void addDestroyObserver(IPlayerDestroyObserver *observer);
    void removeDestroyObserver(IPlayerDestroyObserver *observer);
    void notifyDestroyObservers(int reason);

    // Playback figures: pictures shown and pictures skipped because they were
    // late, since the file was opened; the position (ms, like
    // GetCurrentPosition) of the picture on screen, negative when none.
    int64_t GetShownFrames() const;
    int64_t GetDroppedFrames() const;
    double GetShownFramePosition() const;

    struct Impl;

private:
    void onFiltersChanged();

    bool ensureSession();
    void endSession(int reason);

    std::unique_ptr<MediaProbe> m_probe;
    std::vector<uint8_t> m_thumb;
    std::unique_ptr<Impl> d;
};

// The player the application registered with FFP_RegisterPlayer, or else a
// process-wide one made on first use (for tools and tests that have none).
CffmpegPlayer *FFP_GetPlayer();
// Makes player the one FFP_GetPlayer answers (nullptr: none); a registered
// player leaves by itself when it is destroyed.
void FFP_RegisterPlayer(CffmpegPlayer *player);
// Makes id the current window; returns the id in force before the call.
int64_t FFP_SetWndID(int64_t id);
// True when a player owns window id and has redrawn the current frame into it.
bool FFP_TestAndRefresh(int64_t id);
void FFP_AddDestroyObserver(IPlayerDestroyObserver *observer);

// The audio library of the disk, in the shape of BASS 2.3: module and stream
// channels, master volume and spectrum data. Implemented with libopenmpt
// (modules), libsndfile (streams) and either SDL2 audio output (the program) or
// output rendered in virtual time (tests and the capture tool).
#pragma once

#include "win32.h"

#include <cstdint>

using QWORD = std::uint64_t;
using HMUSIC = DWORD;
using HSTREAM = DWORD;
using HCHANNEL = DWORD;

constexpr DWORD BASS_SAMPLE_FLOAT = 0x100;
constexpr DWORD BASS_MUSIC_RAMP = 0x200;
constexpr DWORD BASS_MUSIC_FT2MOD = 0x2000;
constexpr DWORD BASS_MUSIC_POSRESET = 0x8000;
constexpr DWORD BASS_UNICODE = 0x80000000;

constexpr DWORD BASS_ACTIVE_STOPPED = 0;
constexpr DWORD BASS_ACTIVE_PLAYING = 1;
constexpr DWORD BASS_ACTIVE_STALLED = 2;
constexpr DWORD BASS_ACTIVE_PAUSED = 3;

constexpr DWORD BASS_DATA_FFT512 = 0x80000000;

DWORD BASS_GetVersion();
BOOL BASS_Init(int device, DWORD freq, DWORD flags, HWND window, const void* clsid);
BOOL BASS_Free();
// file is a path in the disk's own notation: backslashes separate folders, and a
// name that differs only in letter case from the one on disk is accepted.
HMUSIC BASS_MusicLoad(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD flags, DWORD freq);
BOOL BASS_MusicFree(HMUSIC handle);
HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
BOOL BASS_ChannelPlay(DWORD handle, BOOL restart);
BOOL BASS_ChannelStop(DWORD handle);
BOOL BASS_ChannelPause(DWORD handle);
BOOL BASS_ChannelSetPosition(DWORD handle, QWORD position);
DWORD BASS_ChannelIsActive(DWORD handle);
// Returns the master volume 0..100, or (DWORD)-1 on error.
DWORD BASS_GetVolume();
BOOL BASS_SetVolume(DWORD volume);
// BASS_DATA_FFT512: 256 floats of magnitudes; returns the bytes written, or (DWORD)-1.
DWORD BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length);

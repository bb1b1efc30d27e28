// Movie recording helpers of the engine tests: the folder the Linux-side
// check (check_engine_movies.sh) reads, movie requests, and the
// expectation file next to each movie that tells the check how many
// frames ffprobe and AVIFile must find in it.
#pragma once

#include <string>

#include "EngineClient.h"
#include "EngineRecords.h"

namespace engine_test {

// "<working folder>\engine-movies\", created when missing.
std::string MovieFolder();

// A 6/1 request for path: 66 ms frame period, the given record mode
// (2 timed, 3 frame by frame), compression and sound.
engine::MovieRequestRecord MovieRequest(const std::string& path, long mode, bool compressed, bool audio);

// Creates the client's engine, gives it sink's window, connects camera 0
// and starts a timed recording with sound in `audio` into path (gtest
// assertions: call under ASSERT_NO_FATAL_FAILURE).
void StartTimedRecording(EngineClient& client, MessageSink& sink, const std::string& path,
                         const engine::AudioFormatRecord& audio);

// Writes "<movie>.expect": "<at least|exactly> <frames> <RIFF parts: one|several>".
void ExpectFrames(const std::string& movie, const char* relation, unsigned frames, bool severalParts);

}  // namespace engine_test

#include "tests/audio/audio_fixture.h"

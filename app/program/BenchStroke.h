#pragma once

// For the whole-program measurement (bench/pipeline.sh, --demo=yuyv or
// --demo=mjpg): one pen stroke drawn on the live picture as soon as the
// video view runs, so that the overlay is composed onto every frame from
// then on. Call once the screen is in place; it waits on the message loop.
void DrawBenchStrokeWhenReady();

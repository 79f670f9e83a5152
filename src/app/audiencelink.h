#pragma once

class Audience;
class Principale;

// Keeps the audience's model in step with the board: the marks, the theme, the teams and their
// scores, and the line on the
// board that shows what the room sees of the song. Both must outlive the link's connections
// (they are the application's for the whole run).
void linkAudience(Audience &audience, Principale &board);

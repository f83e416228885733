#pragma once

// The primary screen's bits per pixel as the platform reports it; 24 when
// there is no screen to ask (Qt: no running application, or one without
// screens).
int platformScreenDepth();

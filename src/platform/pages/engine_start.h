#pragma once

// Sets up how the browser engine that shows pages starts; call before the application
// object is made. Each open table has a preview page of its own: up to 121 of them share a
// few renderer processes instead of starting one each (renderer flags the user set come
// first). The engine refuses to start in its sandbox under the root account, which would end
// the program: run as root, the engine starts without the sandbox and standard error says so;
// a sandbox the user turned off already is left as it is, without a word.
void prepareBrowserEngine();

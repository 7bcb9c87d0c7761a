// Playing offline: the page registers the service worker (sw.js), which keeps every file of the
// site, once the game's title is up (page.js calls `siteUpdate.start()`). When a newer build of
// the site has been kept beside the one the page runs, the page moves to it whole by a reload,
// at a moment that loses nothing: before the player's first key or tap, or when a game has ended
// and a new one is to start (page.js asks `siteUpdate.reloadForNewBuild()` then). Anything that
// fails here (no service workers, a worker that fails to install, storage that is full) leaves
// the page as it is: it plays from the network as before.
'use strict';

window.siteUpdate = (() => {
  const workers = navigator.serviceWorker;
  const ranUnderWorker = Boolean(workers && workers.controller);
  let newBuild = null;        // the installed worker of a build newer than the page's
  let controllerGone = false; // another tab moved to a new build: this page's is not kept now
  let begun = false;          // a key or a tap has reached the page
  let moving = false;

  for (const type of ['keydown', 'pointerdown']) {
    addEventListener(type, () => { begun = true; }, { capture: true, once: true });
  }

  // Reloads into the new build if there is one, and says so; false when the page is current.
  function reloadForNewBuild() {
    if (moving) return true;
    if (!newBuild && !controllerGone) return false;
    moving = true;
    if (controllerGone) {
      location.reload();
      return true;
    }
    workers.addEventListener('controllerchange', () => location.reload());
    newBuild.postMessage('take over');
    // A worker that does not take over in time (it failed, or went) leaves a plain reload:
    // the page comes back whole, from whichever build the browser serves.
    setTimeout(() => location.reload(), 3000);
    return true;
  }

  // Before the first key the move is free; a page that moved less than half a minute ago
  // does not move again by itself (a worker that never takes over must not make a loop).
  function newBuildFound() {
    if (begun) return;
    try {
      const last = Number(sessionStorage.getItem('zorvane moved at')) || 0;
      if (Math.abs(Date.now() - last) < 30000) return;
      sessionStorage.setItem('zorvane moved at', String(Date.now()));
    } catch (error) {
      return;  // without session storage there is no guard against a loop: wait for a new game
    }
    reloadForNewBuild();
  }

  function watch(registration) {
    // A page loaded without a worker (the first visit) is taken over by the first one: that is
    // its own build, not a new one.
    if (!ranUnderWorker) return;
    const found = worker => {
      newBuild = worker;
      newBuildFound();
    };
    const track = worker => worker.addEventListener('statechange', () => {
      if (worker.state === 'installed') found(worker);
    });
    if (registration.waiting) found(registration.waiting);
    if (registration.installing) track(registration.installing);
    registration.addEventListener('updatefound', () => {
      if (registration.installing) track(registration.installing);
    });
    workers.addEventListener('controllerchange', () => {
      if (moving) return;
      controllerGone = true;
      newBuildFound();
    });
  }

  // page.js starts it once the game's first screen is painted and the page is idle, so that the
  // worker's copies of the files do not compete with the game's start; a page whose game never
  // came up starts it a few seconds after it has loaded.
  let started = false;
  function start() {
    if (started || !workers || !window.isSecureContext) return;
    started = true;
    workers.register('sw.js').then(watch, () => {});
  }
  if (document.readyState === 'complete') setTimeout(start, 5000);
  else addEventListener('load', () => setTimeout(start, 5000), { once: true });
  return { reloadForNewBuild, start };
})();
